// The Desktop page's settings: fifteen rows, each with its read rule, what applying it writes, and
// whether it needs a restart or the icon-cache rebuild. Rows are listed in the order they are applied.
#pragma once

#include <array>

#include "res/resource.h"
#include "settings/TableModel.h"
#include "system/Services.h"

namespace velmora {

class DesktopSettings : public TableModel {
  public:
    enum Row {
        kNoInternetIcon,
        kShortcutArrows,
        kNoNetHood,
        kLink,
        kMinAnimate,
        kClassicShell,
        kAutoEndTasks,
        kSmoothScroll,
        kDoubleClickTimer,
        kBeep,
        kNoActiveDesktop,
        kPaintDesktopVersion,
        kMyComputerExplorer,
        kRecycleBinRename,
        kIconSize,
        kRowCount
    };

    explicit DesktopSettings(Services services) : TableModel(services, Table()) {}

    // The page's settings in apply order.
    static std::span<const SettingRow> Table();

    // The arrows' other two radio buttons touch their row too.
    bool Touch(int control, int notification) override;
    BoundMember Bind(Shown shown, int index) override;

    // The control that shows the row (for the radio group, its first button).
    static int ControlOf(Row row) { return Table()[row].control; }

    // Members bound to the controls: 0/1 per check box (the beep included), and the two choices.
    int iconSize = -1;        // 0 Small, 1 Default, 2 Big, 3 Huge
    int shortcutArrows = -1;  // 0 Normal, 1 Small, 2 None

  protected:
    void ReadOwn(const SettingRow& row) override;
    long ApplyOwn(const SettingRow& row) override;

  private:
    static const std::array<SettingRow, kRowCount> kTable;

    void ReadNetHood(const SettingRow& row);
    void ReadShortcutArrows(const SettingRow& row);
    long ApplyShortcutArrows(const SettingRow& row);
    void ReadBeep(const SettingRow& row);
    long ApplyBeep(const SettingRow& row);
    void ReadIconSize(const SettingRow& row);
    long ApplyIconSize(const SettingRow& row);
};

}  // namespace velmora
