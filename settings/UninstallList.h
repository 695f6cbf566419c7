// The Add/Remove page's list: the programs under the machine's Uninstall key that have both a display
// name and an uninstall command, in registry order. Entries are removed (their key deleted) or edited at
// once, after the questions the page asks, and the list is read again after every change.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/EntryList.h"
#include "settings/ListWalk.h"
#include "system/Services.h"

namespace velmora {

struct UninstallEntry {
    std::string displayName;       // "DisplayName"
    std::string uninstallCommand;  // "UninstallString"
    std::string keyPath;           // below HKEY_LOCAL_MACHINE

    // Its line in the list.
    const std::string& Text() const { return displayName; }
};

// What the edit dialog handed back when it was closed with OK.
struct UninstallEdit {
    bool commandChanged = false;
    bool descriptionChanged = false;
    std::string command;
    std::string description;
};

// The entries under the machine's Uninstall key in registry order; nothing when `stop` ended the walk.
std::optional<std::vector<UninstallEntry>> ReadUninstallEntries(Registry& registry,
                                                                const StopRequested& stop = {});

// Loading, waiting for the start-up reader and finding by display name are the shared list's
// (EntryList.h); removing asks first and deletes the entry's key.
class UninstallList : public EntryList<UninstallEntry, &ReadUninstallEntries> {
  public:
    explicit UninstallList(Services services) : EntryList(services) {}

    // Asks whether to remove the entry named `displayName` and, on Yes, deletes its key and reads the
    // list again; a failed delete is reported in a box captioned `programName` (the framework's own
    // message box). False when nothing was asked or the user said No: the list is as it was.
    bool Remove(const std::string& displayName, WindowRef owner, const std::string& programName);

    // Writes what the edit dialog changed to the key at `keyPath`: the command only after the user
    // agrees, the description without a question. Then reads the list again.
    void ApplyEdit(const std::string& keyPath, const UninstallEdit& edit, WindowRef owner);
};

// A display name as it is put into a caption or a message: a very long one is cut and ends in "...",
// so that the message box stays readable.
std::string NameForMessage(std::string_view displayName);

inline constexpr std::size_t kLongestNameInMessage = 100;

}  // namespace velmora
