// The Miscellaneous page's settings: fifteen check boxes over registry values, system parameters and
// shell verbs. Rows are listed in the order they are applied; some need a restart, one the icon-cache
// rebuild, and one asks the user before it writes.
#pragma once

#include <array>
#include <functional>

#include "res/resource.h"
#include "settings/SettingsModel.h"
#include "system/Services.h"

namespace velmora {

class MiscSettings : public SettingsModel {
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

    explicit MiscSettings(Services services) : SettingsModel(kRowCount), services_(services) {}
    void Attach(PageHooks hooks) { hooks_ = std::move(hooks); }

    // Full-window drag and font smoothing, read only where the Windows extensions or NT provide them.
    void LoadDragAndSmoothing();
    // Every other row.
    void Load();

    bool Touch(int control, int notification) override;

    static int ControlOf(Row row);
    int RowControl(int row) const override { return ControlOf(static_cast<Row>(row)); }

    // Members bound to the check boxes, 0 or 1, indexed by row.
    std::array<int, kRowCount> check{};

  private:
    long ApplyRow(int row) override { return Apply(static_cast<Row>(row)); }
    long Apply(Row row);
    long ApplyFontSmoothing();
    long ApplyNumericTail();
    long ApplyVerb(Row row);
    int ReadNumericTail() const;
    int ReadRow(Row row) const;

    Services services_;
    PageHooks hooks_;
};

inline constexpr const char* kNumericTailQuestion =
    "You're about to change a System setting. Are you sure you want to continue?";
inline constexpr const char* kNumericTailCaption = "Velmora 99 - Important Message!";

}  // namespace velmora
