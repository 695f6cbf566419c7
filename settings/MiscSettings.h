// The Miscellaneous page's settings: fifteen check boxes over registry values, system parameters and
// shell verbs. Rows are listed in the order they are applied; some need a restart, one the icon-cache
// rebuild, and one asks the user before it writes.
#pragma once

#include <array>

#include "res/resource.h"
#include "settings/TableModel.h"
#include "system/Services.h"

namespace velmora {

class MiscSettings : public TableModel {
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

    explicit MiscSettings(Services services) : TableModel(services, Table()) {}

    // The page's settings in apply order. Full-window drag and font smoothing load only where the Windows
    // extensions or NT provide them.
    static std::span<const SettingRow> Table();

    static int ControlOf(Row row) { return Table()[row].control; }

  protected:
    void ReadOwn(const SettingRow& row) override;
    long ApplyOwn(const SettingRow& row) override;

  private:
    static const std::array<SettingRow, kRowCount> kTable;

    void ReadDragFullWindows(const SettingRow& row);
    long ApplyDragFullWindows(const SettingRow& row);
    long ApplyFontSmoothing(const SettingRow& row);
    void ReadNumericTail(const SettingRow& row);
    long ApplyNumericTail(const SettingRow& row);
    int StoredNumericTail(const SettingRow& row) const;
};

inline constexpr const char* kNumericTailQuestion =
    "You're about to change a System setting. Are you sure you want to continue?";
inline constexpr const char* kNumericTailCaption = "Velmora 99 - Important Message!";

}  // namespace velmora
