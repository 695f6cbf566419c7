// What the Add/Remove and New lists share: the entries of one registry walk in the order found, the wait
// for the start-up reader's walk, finding an entry by the line the list box shows (the box sorts its
// lines, so the text is the way back to the entry), removing entries by their lines, and reading the list
// again. Each list says only what is its own: what an entry holds and what its line shows
// (`Entry::Text()`), where the walk reads (`Read`), and what removing an entry asks and deletes.
//
// The Folders/Run lists stay apart. Their lines are bare value names, two lists are read and handed over
// together, the autorun list follows the source chosen in a combo box, and their buttons edit or delete
// values in place; what they share with these lists is only the wait for the reader, which FolderRunList
// keeps for both of its lists at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "registry/Registry.h"
#include "settings/ListWalk.h"
#include "system/Services.h"

namespace velmora {

template <class Entry, std::optional<std::vector<Entry>> (*Read)(Registry&, const StopRequested&)>
class EntryList {
  public:
    using EntryType = Entry;

    explicit EntryList(Services services) : services_(services) {}

    // Reads the entries again, replacing those of the previous read.
    void Load() {
        entries_ = std::move(*Read(services_.registry, {}));
        waiting_ = false;
    }
    const std::vector<Entry>& Entries() const { return entries_; }

    // Until the entries are first read, here or by the start-up reader, the page shows an empty, disabled
    // list under a wait cursor.
    bool Waiting() const { return waiting_; }
    // Takes the entries the start-up reader read; refused (false, nothing changed) once the list has been
    // read otherwise, so that a late arrival never replaces a list read after a change.
    bool AdoptRead(std::vector<Entry> entries) {
        if (!waiting_) {
            return false;
        }
        entries_ = std::move(entries);
        waiting_ = false;
        return true;
    }

    // The first entry, in the order read, whose line is exactly `text`. Null when there is none.
    const Entry* Find(std::string_view text) const {
        for (const Entry& entry : entries_) {
            if (entry.Text() == text) {
                return &entry;
            }
        }
        return nullptr;
    }

  protected:
    // Gives the first entry of each text, in the order the texts come, to `removeOne`, which does the
    // list's own part (asks, deletes, tells of a failure) and says whether it went ahead; a text no longer
    // listed is passed over. The entries stay as read until the list reads them again. True when any
    // removal went ahead.
    template <class RemoveOne>
    bool RemoveEach(const std::vector<std::string>& texts, RemoveOne removeOne) {
        // Each text's first entry, found in one pass: thousands of selected lines must not search the
        // whole list once per line. emplace keeps the first of equal texts, as Find does.
        std::unordered_map<std::string_view, const Entry*> firstOf;
        firstOf.reserve(entries_.size());
        for (const Entry& entry : entries_) {
            firstOf.emplace(entry.Text(), &entry);
        }
        bool went = false;
        for (const std::string& text : texts) {
            const auto found = firstOf.find(text);
            if (found != firstOf.end() && removeOne(*found->second)) {
                went = true;
            }
        }
        return went;
    }

    Services services_;

  private:
    std::vector<Entry> entries_;
    bool waiting_ = true;
};

}  // namespace velmora
