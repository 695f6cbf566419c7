// The Desktop page's settings: fifteen rows, each with its read rule, what applying it writes, and
// whether it needs a restart or the icon-cache rebuild. Rows are listed in the order they are applied.
#pragma once

#include <array>

#include "res/resource.h"
#include "settings/TableSettings.h"
#include "system/Services.h"

namespace velmora {

class DesktopSettings : public TableSettings<DesktopSettings> {
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

    explicit DesktopSettings(Services services) : TableSettings(services, kRowCount) {}

    // The page's settings in apply order.
    static std::span<const TableRow> Table();

    // Reads every row but "Show Windows version on desktop", which only Windows 98 loads.
    void Load() { LoadRows(LoadWhen::kWithPage); }
    void LoadWindowsVersion() { LoadRows(LoadWhen::kWindows98); }

    // The arrows' other two radio buttons touch their row too.
    bool Touch(int control, int notification) override;
    BoundMember Bind(Shown shown, int index);

    // The control that shows the row (for the radio group, its first button).
    static int ControlOf(Row row) { return Table()[row].control; }

    // Members bound to the controls: 0/1 per check box (the beep included), and the two choices.
    std::array<int, kRowCount> check{};
    int iconSize = -1;        // 0 Small, 1 Default, 2 Big, 3 Huge
    int shortcutArrows = -1;  // 0 Normal, 1 Small, 2 None

  private:
    static const std::array<TableRow, kRowCount> kTable;

    void ReadNetHood(const TableRow& row);
    void ReadShortcutArrows(const TableRow& row);
    long ApplyShortcutArrows(const TableRow& row);
    void ReadBeep(const TableRow& row);
    long ApplyBeep(const TableRow& row);
    void ReadIconSize(const TableRow& row);
    long ApplyIconSize(const TableRow& row);
};

}  // namespace velmora
