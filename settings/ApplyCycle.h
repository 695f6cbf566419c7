// The main window's apply cycle: the setting pages' touched settings applied page by page in a fixed
// order, the icon-cache rebuild when a page asks for it, the message that names what could not be
// saved, and the offer to restart Windows.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AppliedPage.h"
#include "system/Services.h"

namespace velmora {

// One setting page in the cycle's order.
struct ApplyTarget {
    AppliedPage* page;       // null for a page this edition does not build
    const char* title = "";  // its tab title, which names the page in the failure message
};

// A setting that could not be saved: its page, its caption as the user reads it, and why. `ownSubkeys`:
// the error is NT refusing to delete a key that still has subkeys, which no administrator could change.
struct FailedSetting {
    std::string page;
    std::string caption;
    long error;
    bool ownSubkeys = false;
};

// A setting that was written for the user but that a machine-wide policy overrides: Windows uses `state`
// (1 checked, 0 unchecked), from the value at `machine`.
struct OverriddenSetting {
    std::string page;
    std::string caption;
    int state;
    Location machine;
};

struct ApplyOutcome {
    std::vector<FailedSetting> failed;  // in apply order; a failed icon-cache rebuild comes last
    std::vector<OverriddenSetting> overridden;
};

// Applies the touched settings of each page in turn (the page's controls taken into its members once,
// before its rows; a failed row named as the page names it; what the model asks of the page done after), then
// rebuilds the icon cache when a page asked for it, clearing every page's request. Returns what could not be
// saved, and which of the rows written Windows will not use because a machine-wide policy overrides them. The
// main window's Apply and OK and the companion's apply all come here.
ApplyOutcome ApplyTouchedSettings(Services& services, std::span<const ApplyTarget> pagesInOrder);

// Makes the shell rebuild its icon cache: the shell icon size is changed to another size and then put
// back exactly as it stood (same type and bytes, or absent again), with the icons reloaded and a setting
// change broadcast after each step. Returns 0, or the error code when it could not read, change or put
// back the value; a missing "WindowMetrics" key is not created and is no failure.
long RebuildIconCache(Services& services);

inline constexpr const char* kErrorCaption = "Velmora 99 - Error";
// How a failed icon-cache rebuild is named: after the Desktop page's button that runs it.
inline constexpr const char* kRebuildPage = "Desktop";
inline constexpr const char* kRebuildCaption = "Rebuild Icons";

// A control caption as the user reads it: each mnemonic "&" removed ("&&" is one "&"), and a label's
// trailing colon and blanks dropped.
std::string PlainCaption(std::string_view caption);

// The text of the failure message: every failed setting, one a line, the system's reason for the first
// failure with its code, and the administrator line when that failure was a refused access (not a key's
// own subkeys).
std::string FailureText(const std::vector<FailedSetting>& failures, const std::string& reason);

// The line a failure message gains when Windows refused a write or delete for want of rights: on Windows
// Vista and later the machine-wide keys are an administrator's, and the program then runs without them.
inline constexpr const char* kAdministratorLine =
    "Only an administrator can make this change: start Velmora 99 with \"Run as administrator\".";

// `text` as it is, or with the administrator line below it when `error` is access denied.
std::string WithAdministratorLine(std::string text, long error);

// Why deleting `subkey` of `parent` failed with `error`, for the message: Windows NT refuses to delete a
// key that has subkeys with the same "access denied" as a key the user may not change, and only the
// second needs an administrator. A key that still opens for every change is the first: 0 is returned.
long DeleteRefusal(Registry& registry, HKey parent, const std::string& subkey, long error);

// Shows the failure message (caption "Velmora 99 - Error", exclamation icon, OK) owned by `owner`.
// Nothing is shown when nothing failed.
void ReportFailures(Services& services, WindowRef owner, const std::vector<FailedSetting>& failures);

inline constexpr const char* kOverrideCaption = "Velmora 99 - Machine-wide policy";

// The note that names the overridden settings, what Windows uses for each, and the machine-wide keys;
// `written` false words it for settings not yet written (the companion's dry run).
std::string OverrideText(const std::vector<OverriddenSetting>& overridden, bool written = true);

// Shows that note (caption kOverrideCaption, information icon, OK) owned by `owner`; nothing when no
// setting is overridden.
void ReportOverrides(MessageBoxes& messages, WindowRef owner,
                     const std::vector<OverriddenSetting>& overridden);

inline constexpr const char* kRestartText =
    "For the changes to take effect Windows needs to be restarted.\r\n\r\nRestart Windows?";
inline constexpr const char* kRestartCaption = "Velmora 99 - Restart Windows?";

// Asks whether to restart Windows; true on Yes.
bool AskRestart(MessageBoxes& messages, WindowRef owner);

// Asks Windows to restart, with the shutdown privilege enabled first. When Windows refuses, a message
// without owner (the main window has ended by then) gives the reason and asks the user to restart
// Windows themselves. True when Windows accepted the request.
bool RestartWindows(Services& services);

}  // namespace velmora
