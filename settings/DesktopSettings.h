// The Desktop page's settings: fifteen rows, each with its read rule, what applying it writes, and
// whether it needs a restart or the icon-cache rebuild. Rows are listed in the order they are applied.
#pragma once

#include <array>

#include "settings/SettingsModel.h"
#include "system/Services.h"

namespace velmora {

class DesktopSettings : public SettingsModel {
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
        kShowInternetIconBox = 1005,
        kShowNetHoodBox = 1011,
        kShortcutPrefixBox = 1084,
        kMinAnimateBox = 1104,
        kIe4LookBox = 1130,
        kAutoEndBox = 1272,
        kSmoothScrollBox = 1131,
        kDoubleClickBox = 1132,
        kBeepBox = 1133,
        kActiveDesktopBox = 1076,
        kWindowsVersionBox = 1144,
        kMyComputerBox = 1122,
        kRecycleBinBox = 1215,
        kIconSizeCombo = 1025,
        kArrowNormalRadio = 1241,
        kArrowSmallRadio = 1242,
        kArrowNoneRadio = 1244,
        kRebuildIconsButton = 1213,
    };

    explicit DesktopSettings(Services services) : SettingsModel(kRowCount), services_(services) {}

    // Reads every row but "Show Windows version on desktop", which only Windows 98 loads.
    void Load();
    void LoadWindowsVersion();

    bool Touch(int control, int notification) override;

    // The check box rows and the controls they belong to, in row order.
    static int ControlOf(Row row);
    int RowControl(int row) const override { return ControlOf(static_cast<Row>(row)); }

    // Members bound to the controls: 0/1 per check box (the beep included), and the two choices.
    std::array<int, kRowCount> check{};
    int iconSize = -1;        // 0 Small, 1 Default, 2 Big, 3 Huge
    int shortcutArrows = -1;  // 0 Normal, 1 Small, 2 None

  private:
    long ApplyRow(int row) override { return Apply(static_cast<Row>(row)); }
    long Apply(Row row);
    long ApplyBeep();
    long ApplyShortcutArrows();
    long ApplyMyComputer();
    long ApplyIconSize();
    int ReadNetHood() const;
    int ReadShortcutArrows() const;
    int ReadIconSize() const;

    Services services_;
};

}  // namespace velmora
