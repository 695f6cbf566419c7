// The Miscellaneous page's settings: fifteen check boxes over registry values, system parameters and
// shell verbs. Rows are listed in the order they are applied; some need a restart, one the icon-cache
// rebuild, and one asks the user before it writes.
#pragma once

#include <array>
#include <functional>

#include "res/resource.h"
#include "settings/TableSettings.h"
#include "system/Services.h"

namespace velmora {

class MiscSettings : public TableSettings<MiscSettings> {
  public:
    enum Row {
        kNoStartBanner,
        kDragFullWindows,
        kFontSmoothing,
        kIconColors,
        kNumericTail,
        kViewWithNotepad,
        kViewWithWordpad,
        kAudioCd,
        kDataCd,
        kTipOfTheDay,
        kRealMode,
        kNonBlinkingCursor,
        kOpenWithNotepad,
        kOpenWithWordpad,
        kExploreFromHere,
        kRowCount
    };

    // What the model asks of its page: the window that owns its question, and a push of the members
    // back into the controls (after a refused question the box shows the stored state again).
    struct PageHooks {
        std::function<WindowRef()> owner;
        std::function<void()> push;
    };

    explicit MiscSettings(Services services) : TableSettings(services, kRowCount) {}
    void Attach(PageHooks hooks) { hooks_ = std::move(hooks); }

    // The page's settings in apply order.
    static std::span<const TableRow> Table();

    // Full-window drag and font smoothing, read only where the Windows extensions or NT provide them.
    void LoadDragAndSmoothing() { LoadRows(LoadWhen::kWithShellExtensions); }
    // Every other row.
    void Load() { LoadRows(LoadWhen::kWithPage); }

    static int ControlOf(Row row) { return Table()[row].control; }

    // Members bound to the check boxes, 0 or 1, indexed by row.
    std::array<int, kRowCount> check{};

  private:
    static const std::array<TableRow, kRowCount> kTable;

    void ReadDragFullWindows(const TableRow& row);
    long ApplyDragFullWindows(const TableRow& row);
    long ApplyFontSmoothing(const TableRow& row);
    void ReadNumericTail(const TableRow& row);
    long ApplyNumericTail(const TableRow& row);
    int StoredNumericTail(const TableRow& row) const;

    PageHooks hooks_;
};

inline constexpr const char* kNumericTailQuestion =
    "You're about to change a System setting. Are you sure you want to continue?";
inline constexpr const char* kNumericTailCaption = "Velmora 99 - Important Message!";

}  // namespace velmora
