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

    // Control ids of the page.
    enum Control {
        kStartBannerBox = IDC_MISC_START_BANNER_BOX,
        kDragFullWindowsBox = IDC_MISC_DRAG_FULL_WINDOWS_BOX,
        kFontSmoothingBox = IDC_MISC_FONT_SMOOTHING_BOX,
        kIconColorsBox = IDC_MISC_ICON_COLORS_BOX,
        kNumericTailBox = IDC_MISC_NUMERIC_TAIL_BOX,
        kViewWithNotepadBox = IDC_MISC_VIEW_WITH_NOTEPAD_BOX,
        kViewWithWordpadBox = IDC_MISC_VIEW_WITH_WORDPAD_BOX,
        kAudioCdBox = IDC_MISC_AUDIO_CD_BOX,
        kDataCdBox = IDC_MISC_DATA_CD_BOX,
        kTipOfTheDayBox = IDC_MISC_TIP_OF_THE_DAY_BOX,
        kNonBlinkingCursorBox = IDC_MISC_NON_BLINKING_CURSOR_BOX,
        kOpenWithNotepadBox = IDC_MISC_OPEN_WITH_NOTEPAD_BOX,
        kOpenWithWordpadBox = IDC_MISC_OPEN_WITH_WORDPAD_BOX,
        kExploreFromHereBox = IDC_MISC_EXPLORE_FROM_HERE_BOX,
        kRealModeBox = IDC_MISC_REAL_MODE_BOX,
        kCautionGroup = IDC_MISC_CAUTION_GROUP,
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
