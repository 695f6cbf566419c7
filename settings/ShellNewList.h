// The New page's list: the file types that offer an entry in the shell's "New" menu, that is, the
// extensions under HKEY_CLASSES_ROOT with a "ShellNew" key directly below them or below the subkey
// named after their file type. Removing an entry deletes that "ShellNew" key at once, without a question.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "system/Services.h"

namespace velmora {

struct ShellNewEntry {
    std::string description;  // what the list shows: the file type's description
    std::string keyPath;      // the key below HKEY_CLASSES_ROOT that holds "ShellNew"
};

class ShellNewList {
  public:
    // Control ids of the page.
    enum Control {
        kTypeList = 1079,
        kNoticeEdit = 1113,
        kRemoveButton = 1077,
    };

    explicit ShellNewList(Services services) : services_(services) {}

    // Walks every key of HKEY_CLASSES_ROOT again, replacing the entries of the previous load.
    void Load();
    const std::vector<ShellNewEntry>& Entries() const { return entries_; }

    // The list box sorts the descriptions, so an entry is found by its description: the first one in
    // the order found whose description is exactly `description`. Null when there is none.
    const ShellNewEntry* Find(std::string_view description) const;

    // Deletes the "ShellNew" key of the entry of each text, in the order given, reporting each one that
    // cannot be deleted and going on with the next; then reads the list again.
    void Remove(const std::vector<std::string>& selectedTexts, WindowRef owner);

  private:
    void LoadExtension(const std::string& extension);
    void Add(std::string description, std::string keyPath);

    Services services_;
    std::vector<ShellNewEntry> entries_;
};

}  // namespace velmora
