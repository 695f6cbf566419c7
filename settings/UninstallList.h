// The Add/Remove page's list: the programs under the machine's Uninstall key that have both a display
// name and an uninstall command, in registry order. Entries are removed (their key deleted) or edited at
// once, after the questions the page asks, and the list is read again after every change.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "res/resource.h"
#include "settings/ListWalk.h"
#include "system/Services.h"

namespace velmora {

struct UninstallEntry {
    std::string displayName;       // "DisplayName"
    std::string uninstallCommand;  // "UninstallString"
    std::string keyPath;           // below HKEY_LOCAL_MACHINE
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

class UninstallList {
  public:
    static constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

    // Control ids of the page.
    enum Control {
        kProgramList = IDC_ADDREMOVE_PROGRAM_LIST,
        kNoticeEdit = IDC_ADDREMOVE_NOTICE_EDIT,
        kEditButton = IDC_ADDREMOVE_EDIT_BUTTON,
        kRemoveButton = IDC_ADDREMOVE_REMOVE_BUTTON,
    };

    explicit UninstallList(Services services) : services_(services) {}

    // Reads the entries again, replacing those of the previous load.
    void Load();
    const std::vector<UninstallEntry>& Entries() const { return entries_; }

    // Until the entries are first read, here or by the start-up reader, the page shows an empty, disabled
    // list under a wait cursor.
    bool Waiting() const { return waiting_; }
    // Takes the entries the start-up reader read; refused (false, nothing changed) once the list has been
    // read otherwise.
    bool AdoptRead(std::vector<UninstallEntry> entries);

    // The list box sorts the names, so an entry is found by its name: the first one in registry order
    // whose display name is exactly `displayName`. Null when there is none.
    const UninstallEntry* Find(std::string_view displayName) const;

    // Asks whether to remove the entry named `displayName` and, on Yes, deletes its key and reads the
    // list again; a failed delete is reported in a box captioned `programName` (the framework's own
    // message box). False when nothing was asked or the user said No: the list is as it was.
    bool Remove(const std::string& displayName, WindowRef owner, const std::string& programName);

    // Writes what the edit dialog changed to the key at `keyPath`: the command only after the user
    // agrees, the description without a question. Then reads the list again.
    void ApplyEdit(const std::string& keyPath, const UninstallEdit& edit, WindowRef owner);

  private:
    long WriteText(const std::string& keyPath, const char* valueName, const std::string& text);

    Services services_;
    std::vector<UninstallEntry> entries_;
    bool waiting_ = true;
};

// A display name as it is put into a caption or a message: a very long one is cut and ends in "...",
// so that the message box stays readable.
std::string NameForMessage(std::string_view displayName);

inline constexpr std::size_t kLongestNameInMessage = 100;

}  // namespace velmora
