// One row of a setting page's table: the control that shows a setting, where the setting is kept, how
// its stored value shows in the control, what each state writes and what a written change asks for.
// Each setting page declares its settings once, as a table of these rows in the order they are applied;
// the page's model, the page's data exchange and the companion program all walk that table.
//
// One row from template to registry, the Desktop page's "Show Network Neighborhood":
//  1. res/resource.h names the box (IDC_DESKTOP_SHOW_NET_HOOD_BOX) and its caption;
//     res/dialogs/130_Desktop.rc puts the box on the page's template.
//  2. settings/DesktopSettings.cpp: its row (kNoNetHood) says where it is kept (the policy "NoNetHood"),
//     how it reads, that checked deletes the value and unchecked writes the flag, and that it needs a
//     restart.
//  3. pages/CSettingPage.cpp: a click reaches OnCommand; TableModel::Touch (TableModel.cpp) marks the
//     row and the main window's Apply lights up.
//  4. app/CMainWindow.cpp: Apply runs ApplyChanges, which hands the setting pages, as AppliedPage
//     (AppliedPage.h), to ApplyTouchedSettings (ApplyCycle.cpp).
//  5. ApplyTouchedSettings: the page takes its controls into the members once (CSettingPage::TakeControls:
//     its DoDataExchange walks the rows), then TableModel::ApplyTouched applies each marked row
//     (ApplyRow runs ApplyState, SettingRow.cpp, with the row's action) and returns what the page must do.
//  6. registry/RegistryStore.cpp: WriteBinary creates the key and sets the value through the Registry
//     interface (registry/RegKey.cpp; registry/ViewedRegistry.cpp adds the 64-bit view under WOW64),
//     registry/Win32Registry.cpp: RegCreateKeyExW, RegSetValueExW on the NT family (the A calls on
//     Windows 95 and 98).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "registry/Registry.h"
#include "registry/RegistryStore.h"

namespace velmora {

// Where a setting is kept. A null `value` means a key whose presence is the setting (a shell verb): the
// page creates it with a subkey and deletes both again. An empty `value` is the key's default value.
// A null `key` means the setting is not kept in the registry.
struct Location {
    RootKey root = RootKey::CurrentUser;
    const char* key = nullptr;
    const char* value = nullptr;
};

// When a value that could be read shows its box checked.
struct ReadRule {
    enum Kind {
        kFirstByteZero,  // the first byte is 0 (a policy switch that hides something)
        kFirstByteSet,   // the first byte is not 0
        kFirstByteIs,    // the first byte is `byte`
        kTextIs,         // the text is exactly `text`
        kTextIsNot,      // any text but `text`
        kKeyExists,      // the key can be opened (a key location)
    };
    Kind kind = kFirstByteSet;
    std::uint8_t byte = 0;
    const char* text = nullptr;

    static constexpr ReadRule FirstByteZero() { return {kFirstByteZero, 0, nullptr}; }
    static constexpr ReadRule FirstByteSet() { return {kFirstByteSet, 0, nullptr}; }
    static constexpr ReadRule FirstByteIs(std::uint8_t value) { return {kFirstByteIs, value, nullptr}; }
    static constexpr ReadRule TextIs(const char* value) { return {kTextIs, 0, value}; }
    static constexpr ReadRule TextIsNot(const char* value) { return {kTextIsNot, 0, value}; }
    static constexpr ReadRule KeyExists() { return {kKeyExists, 0, nullptr}; }
};

// The box state shown when nothing can be read.
enum class Missing { kUnchecked, kChecked };

// What applying one state of a box does at the row's location.
struct RegistryAction {
    enum Kind {
        kNone,    // nothing: the row's own routine applies it
        kDelete,  // the value is deleted
        kBinary,  // four bytes of binary data
        kDword,
        kString,
        kKeyCommand,  // the default value of subkey `text` of the key is set to `command`
        kDeleteKeys,  // subkey `text` of the key, then the key itself, are deleted
    };
    Kind kind = kNone;
    std::array<std::uint8_t, 4> bytes{};
    std::uint32_t number = 0;
    const char* text = nullptr;
    const char* command = nullptr;

    static constexpr RegistryAction Delete() { return {kDelete, {}, 0, nullptr, nullptr}; }
    static constexpr RegistryAction Binary(std::array<std::uint8_t, 4> data) {
        return {kBinary, data, 0, nullptr, nullptr};
    }
    static constexpr RegistryAction Dword(std::uint32_t value) {
        return {kDword, {}, value, nullptr, nullptr};
    }
    static constexpr RegistryAction String(const char* value) { return {kString, {}, 0, value, nullptr}; }
    static constexpr RegistryAction KeyCommand(const char* subkey, const char* run) {
        return {kKeyCommand, {}, 0, subkey, run};
    }
    static constexpr RegistryAction DeleteKeys(const char* subkey) {
        return {kDeleteKeys, {}, 0, subkey, nullptr};
    }
};

inline constexpr RegistryAction kWriteFlag1 = RegistryAction::Binary({0x01, 0x00, 0x00, 0x00});
inline constexpr RegistryAction kWriteFlag0 = RegistryAction::Binary({0x00, 0x00, 0x00, 0x00});

// What a row's apply asks for once it has been written.
enum RowFlags : unsigned {
    kNoFlags = 0,
    kRestart = 1u << 0,             // Windows must restart to take it up
    kRestartWhenChecked = 1u << 1,  // the same, only for the checked state
    kIconRebuild = 1u << 2,         // the shell's icon cache must be rebuilt
    kRepaintDesktop = 1u << 3,      // the desktop is repainted after the apply, written or not
};

// When the row is read: with the rest of its page, or only where the system has what it needs.
enum class LoadWhen {
    kWithPage,
    kWindows98,            // only Windows 98 shows it
    kWithShellExtensions,  // only with the Windows extensions or on Windows NT
};

// How the row's state is held and shown; it also decides which notification of its control touches it.
enum class Shown {
    kCheck,      // check[row]: a check box (clicked)
    kArrows,     // the shortcut arrows' radio choice (clicked)
    kIconSize,   // the icon-size combo box's choice (selection change)
    kMenuDelay,  // the menu delay's text (text change)
    kFolder,     // folder[part] of the Start Menu page (clicked)
    kUserName,   // the logon user name's text (text change)
    kPassword,   // the logon password's text (text change)
};

// Where the control's caption stands in the dialog template.
enum class CaptionFrom {
    kControl,      // the control's own text
    kLabelBefore,  // the static text just before the control (edits, combo boxes)
    kGroupBefore,  // the group box just before the control (a radio group)
};

// A further control of a row that stands for a setting of its own in the companion's listing (the
// Start Menu folders, the logon name and password).
struct RowPart {
    int control;
    const char* caption;
    CaptionFrom captionFrom;
    Shown shown;
    Location at;
    const char* directory;  // a Start Menu folder's directory name, with its leading backslash
};

// What a row's own apply routine returns when, rightly, nothing was written (the user declined): no
// failure, and none of the row's flags.
inline constexpr long kNotWritten = -1;

// The member a control is exchanged with: a number (a box state or a choice) or a text.
struct BoundMember {
    int* number = nullptr;
    std::string* text = nullptr;
};

// How a row is read and applied: by its rule and actions, or by its model's own routine (TableModel's
// ReadOwn and ApplyOwn), for the few rows the rule and actions cannot describe.
enum class Routine {
    kTable,     // read by `read` and `missing`, applied by `checked` and `unchecked`
    kOwnRead,   // read by the model's own routine, applied by the actions
    kOwnApply,  // read by the rule, applied by the model's own routine
    kOwn,       // read and applied by the model's own routines
};
constexpr bool ReadsOwn(Routine routine) {
    return routine == Routine::kOwnRead || routine == Routine::kOwn;
}
constexpr bool AppliesOwn(Routine routine) {
    return routine == Routine::kOwnApply || routine == Routine::kOwn;
}

struct SettingRow {
    int row;      // the model's row; a table lists its rows in this order
    int control;  // 0 for a row without a control of its own (the folders): its parts are its controls
    const char* caption;
    CaptionFrom captionFrom = CaptionFrom::kControl;
    Location at{};
    ReadRule read{};
    Missing missing = Missing::kUnchecked;
    RegistryAction checked{};
    RegistryAction unchecked{};
    unsigned flags = kNoFlags;
    LoadWhen load = LoadWhen::kWithPage;
    Shown shown = Shown::kCheck;
    const char* elsewhere = nullptr;  // where it is kept when not in the registry, in words
    Routine routine = Routine::kTable;
    std::span<const RowPart> parts{};
};

// The box state (1 checked, 0 unchecked) the stored value gives under the row's rule.
int ReadState(Registry& registry, const Location& at, const ReadRule& rule, Missing missing);

// Applies the action for the box state (1 is checked) at `at`; reg::kSuccess or the error code.
long ApplyState(const RegistryStore& store, const Location& at, const RegistryAction& checked,
                const RegistryAction& unchecked, int state);

// Whether ApplyState's `error` for `action` was NT refusing to delete a key that still has subkeys of its
// own: it says "access denied" then too, but no administrator could delete the key either.
bool RefusedForOwnSubkeys(Registry& registry, const Location& at, const RegistryAction& action, long error);

}  // namespace velmora
