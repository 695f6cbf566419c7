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

    // Control ids of the page.
    enum Control {
        kShowInternetIconBox = IDC_DESKTOP_SHOW_INTERNET_ICON_BOX,
        kShowNetHoodBox = IDC_DESKTOP_SHOW_NET_HOOD_BOX,
        kShortcutPrefixBox = IDC_DESKTOP_SHORTCUT_PREFIX_BOX,
        kMinAnimateBox = IDC_DESKTOP_MIN_ANIMATE_BOX,
        kIe4LookBox = IDC_DESKTOP_IE4_LOOK_BOX,
        kAutoEndBox = IDC_DESKTOP_AUTO_END_BOX,
        kSmoothScrollBox = IDC_DESKTOP_SMOOTH_SCROLL_BOX,
        kDoubleClickBox = IDC_DESKTOP_DOUBLE_CLICK_BOX,
        kBeepBox = IDC_DESKTOP_BEEP_BOX,
        kActiveDesktopBox = IDC_DESKTOP_ACTIVE_DESKTOP_BOX,
        kWindowsVersionBox = IDC_DESKTOP_WINDOWS_VERSION_BOX,
        kMyComputerBox = IDC_DESKTOP_MY_COMPUTER_BOX,
        kRecycleBinBox = IDC_DESKTOP_RECYCLE_BIN_BOX,
        kIconSizeCombo = IDC_DESKTOP_ICON_SIZE_COMBO,
        kArrowNormalRadio = IDC_DESKTOP_ARROW_NORMAL_RADIO,
        kArrowSmallRadio = IDC_DESKTOP_ARROW_SMALL_RADIO,
        kArrowNoneRadio = IDC_DESKTOP_ARROW_NONE_RADIO,
        kRebuildIconsButton = IDC_DESKTOP_REBUILD_ICONS_BUTTON,
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
