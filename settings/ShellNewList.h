// The New page's list: the file types that offer an entry in the shell's "New" menu, that is, the
// extensions under HKEY_CLASSES_ROOT with a "ShellNew" key directly below them or below the subkey
// named after their file type. Removing an entry deletes that "ShellNew" key at once, without a question.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/EntryList.h"
#include "settings/ListWalk.h"
#include "system/Services.h"

namespace velmora {

struct ShellNewEntry {
    std::string description;  // what the list shows: the file type's description
    std::string keyPath;      // the key below HKEY_CLASSES_ROOT that holds "ShellNew"

    // Its line in the list.
    const std::string& Text() const { return description; }
};

// Walks every key of HKEY_CLASSES_ROOT and returns the entries in the order found; nothing when `stop`
// ended the walk.
std::optional<std::vector<ShellNewEntry>> ReadShellNewEntries(Registry& registry,
                                                              const StopRequested& stop = {});

// Loading, waiting for the start-up reader and finding by description are the shared list's
// (EntryList.h); removing deletes the "ShellNew" key without a question.
class ShellNewList : public EntryList<ShellNewEntry, &ReadShellNewEntries> {
  public:
    explicit ShellNewList(Services services) : EntryList(services) {}

    // Deletes the "ShellNew" key of the entry of each text, in the order given, reporting each one that
    // cannot be deleted and going on with the next; then reads the list again.
    void Remove(const std::vector<std::string>& selectedTexts, WindowRef owner);
};

}  // namespace velmora
