// The New page's list: the file types that offer an entry in the shell's "New" menu, that is, the
// extensions under HKEY_CLASSES_ROOT with a "ShellNew" key directly below them or below the subkey
// named after their file type. Removing an entry deletes that "ShellNew" key at once, without a question.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "res/resource.h"
#include "settings/ListWalk.h"
#include "system/Services.h"

namespace velmora {

struct ShellNewEntry {
    std::string description;  // what the list shows: the file type's description
    std::string keyPath;      // the key below HKEY_CLASSES_ROOT that holds "ShellNew"
};

// Walks every key of HKEY_CLASSES_ROOT and returns the entries in the order found; nothing when `stop`
// ended the walk.
std::optional<std::vector<ShellNewEntry>> ReadShellNewEntries(Registry& registry,
                                                              const StopRequested& stop = {});

class ShellNewList {
  public:
    // Control ids of the page.
    enum Control {
        kTypeList = IDC_NEW_TYPE_LIST,
        kNoticeEdit = IDC_NEW_NOTICE_EDIT,
        kRemoveButton = IDC_NEW_REMOVE_BUTTON,
    };

    explicit ShellNewList(Services services) : services_(services) {}

    // Walks every key of HKEY_CLASSES_ROOT again, replacing the entries of the previous load.
    void Load();
    const std::vector<ShellNewEntry>& Entries() const { return entries_; }

    // Until the entries are first read, here or by the start-up reader, the page shows an empty, disabled
    // list under a wait cursor.
    bool Waiting() const { return waiting_; }
    // Takes the entries the start-up reader read; refused (false, nothing changed) once the list has been
    // read otherwise, so that a late arrival never replaces a list read after a removal.
    bool AdoptRead(std::vector<ShellNewEntry> entries);

    // The list box sorts the descriptions, so an entry is found by its description: the first one in
    // the order found whose description is exactly `description`. Null when there is none.
    const ShellNewEntry* Find(std::string_view description) const;

    // Deletes the "ShellNew" key of the entry of each text, in the order given, reporting each one that
    // cannot be deleted and going on with the next; then reads the list again.
    void Remove(const std::vector<std::string>& selectedTexts, WindowRef owner);

  private:
    Services services_;
    std::vector<ShellNewEntry> entries_;
    bool waiting_ = true;
};

}  // namespace velmora
