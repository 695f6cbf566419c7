#include "settings/DesktopSettings.h"

#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/Locations.h"

namespace velmora {
namespace {

using D = DesktopSettings;
using keys::kExplorerPolicies;

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr const char* kArrowsValue = "29";

constexpr ReadRule kOffShowsChecked = ReadRule::FirstByteZero();
constexpr RegistryAction kDelete = RegistryAction::Delete();

// Two states of the Recycle Bin's shell-folder attributes: renaming allowed or not.
constexpr RegistryAction kRenameable = RegistryAction::Binary({0x70, 0x01, 0x00, 0x20});
constexpr RegistryAction kNotRenameable = RegistryAction::Binary({0x40, 0x01, 0x00, 0x20});

}  // namespace

// clang-format off
const std::array<SettingRow, D::kRowCount> DesktopSettings::kTable = {{
    {.row = kNoInternetIcon, .control = IDC_DESKTOP_SHOW_INTERNET_ICON_BOX, .caption = CAPTION_DESKTOP_SHOW_INTERNET_ICON_BOX,
     .at = {kHkcu, kExplorerPolicies, "NoInternetIcon"}, .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kShortcutArrows, .control = IDC_DESKTOP_ARROW_NORMAL_RADIO, .caption = CAPTION_DESKTOP_SHORTCUT_ARROWS_GROUP,
     .captionFrom = CaptionFrom::kGroupBefore, .at = {RootKey::LocalMachine, keys::kShellIcons, kArrowsValue},
     .flags = kIconRebuild, .shown = Shown::kArrows, .routine = Routine::kOwn},
    // Without the policy, a machine with a network shows the box unchecked.
    {.row = kNoNetHood, .control = IDC_DESKTOP_SHOW_NET_HOOD_BOX, .caption = CAPTION_DESKTOP_SHOW_NET_HOOD_BOX,
     .at = {kHkcu, kExplorerPolicies, "NoNetHood"}, .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart, .routine = Routine::kOwnRead},
    {.row = kLink, .control = IDC_DESKTOP_SHORTCUT_PREFIX_BOX, .caption = CAPTION_DESKTOP_SHORTCUT_PREFIX_BOX,
     .at = {kHkcu, keys::kExplorer, "Link"}, .read = ReadRule::FirstByteSet(), .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag0, .flags = kRestart},
    {.row = kMinAnimate, .control = IDC_DESKTOP_MIN_ANIMATE_BOX, .caption = CAPTION_DESKTOP_MIN_ANIMATE_BOX,
     .at = {kHkcu, keys::kMetricsLower, "MinAnimate"}, .read = ReadRule::TextIs("1"), .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = RegistryAction::String("0"), .flags = kRestart},
    {.row = kClassicShell, .control = IDC_DESKTOP_IE4_LOOK_BOX, .caption = CAPTION_DESKTOP_IE4_LOOK_BOX,
     .at = {kHkcu, kExplorerPolicies, "ClassicShell"}, .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kAutoEndTasks, .control = IDC_DESKTOP_AUTO_END_BOX, .caption = CAPTION_DESKTOP_AUTO_END_BOX,
     .at = {kHkcu, keys::kDesktop, "AutoEndTasks"}, .read = ReadRule::TextIs("1"), .missing = Missing::kUnchecked,
     .checked = RegistryAction::String("1"), .unchecked = RegistryAction::String("0"), .flags = kRestart},
    {.row = kSmoothScroll, .control = IDC_DESKTOP_SMOOTH_SCROLL_BOX, .caption = CAPTION_DESKTOP_SMOOTH_SCROLL_BOX,
     .at = {kHkcu, keys::kDesktop, "SmoothScroll"}, .read = ReadRule::FirstByteSet(), .missing = Missing::kUnchecked,
     .checked = kWriteFlag1, .unchecked = kWriteFlag0, .flags = kRestart},
    {.row = kDoubleClickTimer, .control = IDC_DESKTOP_DOUBLE_CLICK_BOX, .caption = CAPTION_DESKTOP_DOUBLE_CLICK_BOX,
     .at = {kHkcu, keys::kAdvanced, "UseDoubleClickTimer"}, .read = ReadRule::FirstByteSet(), .missing = Missing::kUnchecked,
     .checked = kWriteFlag1, .unchecked = kWriteFlag0, .flags = kRestart},
    {.row = kBeep, .control = IDC_DESKTOP_BEEP_BOX, .caption = CAPTION_DESKTOP_BEEP_BOX,
     .elsewhere = "system parameter (beep)", .routine = Routine::kOwn},
    {.row = kNoActiveDesktop, .control = IDC_DESKTOP_ACTIVE_DESKTOP_BOX, .caption = CAPTION_DESKTOP_ACTIVE_DESKTOP_BOX,
     .at = {kHkcu, kExplorerPolicies, "NoActiveDesktop"}, .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kPaintDesktopVersion, .control = IDC_DESKTOP_WINDOWS_VERSION_BOX, .caption = CAPTION_DESKTOP_WINDOWS_VERSION_BOX,
     .at = {kHkcu, keys::kDesktop, "PaintDesktopVersion"}, .read = ReadRule::TextIs("1"), .missing = Missing::kUnchecked,
     .checked = RegistryAction::String("1"), .unchecked = kDelete, .flags = kRestart, .load = LoadWhen::kWindows98},
    {.row = kMyComputerExplorer, .control = IDC_DESKTOP_MY_COMPUTER_BOX, .caption = CAPTION_DESKTOP_MY_COMPUTER_BOX,
     .at = {RootKey::ClassesRoot, keys::kMyComputerOpen, nullptr}, .read = ReadRule::KeyExists(),
     .checked = RegistryAction::KeyCommand("Command", "explorer.exe"), .unchecked = RegistryAction::DeleteKeys("Command"),
     .flags = kRepaintDesktop},
    {.row = kRecycleBinRename, .control = IDC_DESKTOP_RECYCLE_BIN_BOX, .caption = CAPTION_DESKTOP_RECYCLE_BIN_BOX,
     .at = {RootKey::ClassesRoot, keys::kRecycleBinFolder, "Attributes"}, .read = ReadRule::FirstByteIs(0x70),
     .missing = Missing::kUnchecked, .checked = kRenameable, .unchecked = kNotRenameable},
    {.row = kIconSize, .control = IDC_DESKTOP_ICON_SIZE_COMBO, .caption = CAPTION_DESKTOP_ICON_SIZE_COMBO,
     .captionFrom = CaptionFrom::kLabelBefore, .at = {kHkcu, keys::kMetricsLower, "Shell Icon Size"},
     .shown = Shown::kIconSize, .routine = Routine::kOwn},
}};
// clang-format on

std::span<const SettingRow> DesktopSettings::Table() {
    return kTable;
}

bool DesktopSettings::Touch(int control, int notification) {
    if (notification == notify::kButtonClicked &&
        (control == IDC_DESKTOP_ARROW_SMALL_RADIO || control == IDC_DESKTOP_ARROW_NONE_RADIO)) {
        MarkTouched(kShortcutArrows);
        return true;
    }
    return TableModel::Touch(control, notification);
}

BoundMember DesktopSettings::Bind(Shown shown, int index) {
    switch (shown) {
        case Shown::kArrows:
            return {&shortcutArrows, nullptr};
        case Shown::kIconSize:
            return {&iconSize, nullptr};
        default:
            return TableModel::Bind(shown, index);
    }
}

void DesktopSettings::ReadOwn(const SettingRow& row) {
    switch (row.row) {
        case kShortcutArrows:
            return ReadShortcutArrows(row);
        case kNoNetHood:
            return ReadNetHood(row);
        case kBeep:
            return ReadBeep(row);
        case kIconSize:
            return ReadIconSize(row);
        default:
            return;
    }
}

long DesktopSettings::ApplyOwn(const SettingRow& row) {
    switch (row.row) {
        case kShortcutArrows:
            return ApplyShortcutArrows(row);
        case kBeep:
            return ApplyBeep(row);
        case kIconSize:
            return ApplyIconSize(row);
        default:
            return reg::kSuccess;
    }
}

void DesktopSettings::ReadNetHood(const SettingRow& row) {
    if (const auto data = ReadValue(services_.registry, row.at.root, row.at.key, row.at.value)) {
        check[kNoNetHood] = data->FirstByteSet() ? 0 : 1;
        return;
    }
    check[kNoNetHood] = KeyExists(services_.registry, RootKey::LocalMachine, keys::kNetworkFamily) ? 0 : 1;
}

void DesktopSettings::ReadShortcutArrows(const SettingRow& row) {
    const auto data = ReadValue(services_.registry, row.at.root, row.at.key, row.at.value);
    shortcutArrows = 0;
    if (!data) {
        return;
    }
    if (data->Contains("Icobank.exe,1") || data->Contains("TWEAKUI.CPL,2")) {
        shortcutArrows = 1;
    } else if (data->Contains("Icobank.exe,2") || data->Contains("TWEAKUI.CPL,3")) {
        shortcutArrows = 2;
    }
}

long DesktopSettings::ApplyShortcutArrows(const SettingRow& row) {
    const RegistryStore store(services_.registry);
    if (shortcutArrows == 0) {
        return store.DeleteValue(row.at.root, row.at.key, row.at.value);
    }
    if (shortcutArrows != 1 && shortcutArrows != 2) {
        return reg::kSuccess;
    }
    // The location is built in a 100-byte buffer; a path that does not fit would name the wrong file, so
    // nothing is written then, and the setting is not saved.
    const std::string location = services_.directories.SystemDirectory() +
                                 (shortcutArrows == 1 ? "\\Icobank.exe,1" : "\\Icobank.exe,2");
    return location.size() + 1 <= 100 ? store.WriteString(row.at.root, row.at.key, row.at.value, location)
                                      : reg::kFilenameTooLong;
}

void DesktopSettings::ReadBeep(const SettingRow&) {
    int beep = 0;
    services_.parameters.Call(spi::kGetBeep, 0, &beep, 0);
    check[kBeep] = beep != 0 ? 1 : 0;
}

long DesktopSettings::ApplyBeep(const SettingRow&) {
    const auto on = static_cast<std::uint32_t>(check[kBeep]);
    const long result = services_.parameters.Change(spi::kSetBeep, on, nullptr, spi::kUpdateIniFile);
    const long told = services_.parameters.Change(spi::kSetBeep, on, nullptr, spi::kSendWinIniChange);
    services_.broadcaster.Broadcast(msg::kSettingChange);
    return result != reg::kSuccess ? result : told;
}

void DesktopSettings::ReadIconSize(const SettingRow& row) {
    const auto data = ReadValue(services_.registry, row.at.root, row.at.key, row.at.value);
    switch (data ? data->Number() : 0) {
        case 16:
            iconSize = 0;
            break;
        case 48:
            iconSize = 2;
            break;
        case 64:
            iconSize = 3;
            break;
        default:
            iconSize = 1;
            break;
    }
}

long DesktopSettings::ApplyIconSize(const SettingRow& row) {
    const char* size = "32";
    switch (iconSize) {
        case 0:
            size = "16";
            break;
        case 2:
            size = "48";
            break;
        case 3:
            size = "64";
            break;
        default:
            break;
    }
    // Written under "Desktop", read under "desktop": the key is created with this spelling if missing.
    const long result =
        RegistryStore(services_.registry).WriteString(row.at.root, keys::kMetrics, row.at.value, size);
    if (result != reg::kSuccess) {
        return result;
    }
    services_.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kUpdateIniFile);
    services_.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kSendWinIniChange);
    services_.broadcaster.Broadcast(msg::kSettingChange);
    return result;
}

}  // namespace velmora
