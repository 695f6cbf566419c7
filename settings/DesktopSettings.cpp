#include "settings/DesktopSettings.h"

#include <optional>

#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/CheckSetting.h"

namespace velmora {
namespace {

constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kDesktop = "Control Panel\\Desktop";
constexpr const char* kMetricsRead = "Control Panel\\desktop\\WindowMetrics";
constexpr const char* kMetricsWrite = "Control Panel\\Desktop\\WindowMetrics";
constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kShellIcons = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
constexpr const char* kMyComputerShell = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell";
constexpr const char* kMyComputerOpen = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open";
constexpr const char* kMyComputerCommand =
    "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open\\Command";
constexpr const char* kRecycleBinFolder = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
constexpr const char* kNetworkFamily = "Enum\\Network\\FAMILY";

constexpr RootKey kHkcu = RootKey::CurrentUser;

// The rows that are one check box over one value. MinAnimate is read under "desktop" and written under
// "Desktop": the registry ignores the case, the program keeps both spellings.
std::optional<CheckSetting> SimpleRow(DesktopSettings::Row row) {
    using D = DesktopSettings;
    const auto rename = RegistryAction::Binary({0x70, 0x01, 0x00, 0x20});
    const auto noRename = RegistryAction::Binary({0x40, 0x01, 0x00, 0x20});
    switch (row) {
        case D::kNoInternetIcon:
            return CheckSetting{D::kShowInternetIconBox,
                                kHkcu,
                                kPolicies,
                                "NoInternetIcon",
                                ReadRule::kFirstByteZero,
                                true,
                                RegistryAction::Delete(),
                                kWriteFlag1,
                                true};
        case D::kNoNetHood:
            return CheckSetting{
                D::kShowNetHoodBox,       kHkcu,       kPolicies, "NoNetHood", ReadRule::kFirstByteZero, true,
                RegistryAction::Delete(), kWriteFlag1, true};
        case D::kLink:
            return CheckSetting{
                D::kShortcutPrefixBox,    kHkcu,       kExplorer, "Link", ReadRule::kFirstByteSet, true,
                RegistryAction::Delete(), kWriteFlag0, true};
        case D::kMinAnimate:
            return CheckSetting{D::kMinAnimateBox,
                                kHkcu,
                                kMetricsRead,
                                "MinAnimate",
                                ReadRule::kTextEqualsOne,
                                true,
                                RegistryAction::Delete(),
                                RegistryAction::String("0"),
                                true};
        case D::kClassicShell:
            return CheckSetting{D::kIe4LookBox,
                                kHkcu,
                                kPolicies,
                                "ClassicShell",
                                ReadRule::kFirstByteZero,
                                true,
                                RegistryAction::Delete(),
                                kWriteFlag1,
                                true};
        case D::kAutoEndTasks:
            return CheckSetting{D::kAutoEndBox,
                                kHkcu,
                                kDesktop,
                                "AutoEndTasks",
                                ReadRule::kTextEqualsOne,
                                false,
                                RegistryAction::String("1"),
                                RegistryAction::String("0"),
                                true};
        case D::kSmoothScroll:
            return CheckSetting{
                D::kSmoothScrollBox, kHkcu,       kDesktop, "SmoothScroll", ReadRule::kFirstByteSet, false,
                kWriteFlag1,         kWriteFlag0, true};
        case D::kDoubleClickTimer:
            return CheckSetting{D::kDoubleClickBox,
                                kHkcu,
                                kAdvanced,
                                "UseDoubleClickTimer",
                                ReadRule::kFirstByteSet,
                                false,
                                kWriteFlag1,
                                kWriteFlag0,
                                true};
        case D::kNoActiveDesktop:
            return CheckSetting{D::kActiveDesktopBox,
                                kHkcu,
                                kPolicies,
                                "NoActiveDesktop",
                                ReadRule::kFirstByteZero,
                                true,
                                RegistryAction::Delete(),
                                kWriteFlag1,
                                true};
        case D::kPaintDesktopVersion:
            return CheckSetting{D::kWindowsVersionBox,
                                kHkcu,
                                kDesktop,
                                "PaintDesktopVersion",
                                ReadRule::kTextEqualsOne,
                                false,
                                RegistryAction::String("1"),
                                RegistryAction::Delete(),
                                true};
        case D::kRecycleBinRename:
            return CheckSetting{D::kRecycleBinBox,
                                RootKey::ClassesRoot,
                                kRecycleBinFolder,
                                "Attributes",
                                ReadRule::kFirstByteEquals,
                                false,
                                rename,
                                noRename,
                                false,
                                0x70};
        default:
            return std::nullopt;
    }
}

}  // namespace

int DesktopSettings::ControlOf(Row row) {
    switch (row) {
        case kShortcutArrows:
            return kArrowNormalRadio;
        case kBeep:
            return kBeepBox;
        case kMyComputerExplorer:
            return kMyComputerBox;
        case kIconSize:
            return kIconSizeCombo;
        default:
            return SimpleRow(row) ? SimpleRow(row)->control : 0;
    }
}

void DesktopSettings::Load() {
    Registry& registry = services_.registry;
    check[kNoInternetIcon] = ReadCheck(registry, *SimpleRow(kNoInternetIcon));
    check[kNoNetHood] = ReadNetHood();
    shortcutArrows = ReadShortcutArrows();
    for (Row row : {kLink, kMinAnimate, kClassicShell, kAutoEndTasks, kSmoothScroll, kDoubleClickTimer}) {
        check[row] = ReadCheck(registry, *SimpleRow(row));
    }
    int beep = 0;
    services_.parameters.Call(spi::kGetBeep, 0, &beep, 0);
    check[kBeep] = beep != 0 ? 1 : 0;
    check[kNoActiveDesktop] = ReadCheck(registry, *SimpleRow(kNoActiveDesktop));
    check[kMyComputerExplorer] = KeyExists(registry, RootKey::ClassesRoot, kMyComputerOpen) ? 1 : 0;
    check[kRecycleBinRename] = ReadCheck(registry, *SimpleRow(kRecycleBinRename));
    iconSize = ReadIconSize();
}

void DesktopSettings::LoadWindowsVersion() {
    check[kPaintDesktopVersion] = ReadCheck(services_.registry, *SimpleRow(kPaintDesktopVersion));
}

int DesktopSettings::ReadNetHood() const {
    const CheckSetting row = *SimpleRow(kNoNetHood);
    if (const auto data = ReadValue(services_.registry, row.root, row.path, row.value)) {
        return data->FirstByteSet() ? 0 : 1;
    }
    // Without the policy, a machine with a network shows the box unchecked.
    return KeyExists(services_.registry, RootKey::LocalMachine, kNetworkFamily) ? 0 : 1;
}

int DesktopSettings::ReadShortcutArrows() const {
    const auto data = ReadValue(services_.registry, RootKey::LocalMachine, kShellIcons, "29");
    if (!data) {
        return 0;
    }
    if (data->Contains("Icobank.exe,1") || data->Contains("TWEAKUI.CPL,2")) {
        return 1;
    }
    if (data->Contains("Icobank.exe,2") || data->Contains("TWEAKUI.CPL,3")) {
        return 2;
    }
    return 0;
}

int DesktopSettings::ReadIconSize() const {
    const auto data = ReadValue(services_.registry, kHkcu, kMetricsRead, "Shell Icon Size");
    switch (data ? data->Number() : 0) {
        case 16:
            return 0;
        case 48:
            return 2;
        case 64:
            return 3;
        default:
            return 1;
    }
}

bool DesktopSettings::Touch(int control, int notification) {
    for (int row = 0; row < kRowCount; ++row) {
        const Row r = static_cast<Row>(row);
        const bool isCombo = r == kIconSize;
        const bool owns =
            control == ControlOf(r) ||
            (r == kShortcutArrows && (control == kArrowSmallRadio || control == kArrowNoneRadio));
        if (owns && notification == (isCombo ? notify::kSelectionChange : notify::kButtonClicked)) {
            changed_[row] = 1;
            return true;
        }
    }
    return false;
}

long DesktopSettings::Apply(Row row) {
    switch (row) {
        case kShortcutArrows:
            return ApplyShortcutArrows();
        case kBeep:
            return ApplyBeep();
        case kMyComputerExplorer:
            return ApplyMyComputer();
        case kIconSize:
            return ApplyIconSize();
        default: {
            const CheckSetting setting = *SimpleRow(row);
            const long result = ApplyCheck(RegistryStore(services_.registry), setting, check[row]);
            if (result == reg::kSuccess && setting.restart) {
                restartNeeded_ = 1;
            }
            return result;
        }
    }
}

long DesktopSettings::ApplyBeep() {
    const auto on = static_cast<std::uint32_t>(check[kBeep]);
    const long result = services_.parameters.Change(spi::kSetBeep, on, nullptr, spi::kUpdateIniFile);
    const long told = services_.parameters.Change(spi::kSetBeep, on, nullptr, spi::kSendWinIniChange);
    services_.broadcaster.Broadcast(msg::kSettingChange);
    return result != reg::kSuccess ? result : told;
}

long DesktopSettings::ApplyShortcutArrows() {
    const RegistryStore store(services_.registry);
    long result = reg::kSuccess;
    if (shortcutArrows == 0) {
        result = store.DeleteValue(RootKey::LocalMachine, kShellIcons, "29");
    } else if (shortcutArrows == 1 || shortcutArrows == 2) {
        // The location is built in a 100-byte buffer; a path that does not fit would name the wrong
        // file, so nothing is written then, and the setting is not saved.
        const std::string location = services_.directories.SystemDirectory() +
                                     (shortcutArrows == 1 ? "\\Icobank.exe,1" : "\\Icobank.exe,2");
        result = location.size() + 1 <= 100
                     ? store.WriteString(RootKey::LocalMachine, kShellIcons, "29", location)
                     : reg::kFilenameTooLong;
    }
    if (result == reg::kSuccess) {
        iconRebuild_ = 1;
    }
    return result;
}

long DesktopSettings::ApplyMyComputer() {
    const RegistryStore store(services_.registry);
    long result = reg::kSuccess;
    if (check[kMyComputerExplorer] == 1) {
        result = store.WriteString(RootKey::ClassesRoot, kMyComputerCommand, "", "explorer.exe");
    } else {
        // One level at a time, child first: NT refuses to delete a key that still has subkeys.
        result = store.DeleteKey(RootKey::ClassesRoot, kMyComputerOpen, "Command");
        const long open = store.DeleteKey(RootKey::ClassesRoot, kMyComputerShell, "Open");
        result = result != reg::kSuccess ? result : open;
    }
    services_.broadcaster.RepaintDesktop();
    return result;
}

long DesktopSettings::ApplyIconSize() {
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
    const long result =
        RegistryStore(services_.registry).WriteString(kHkcu, kMetricsWrite, "Shell Icon Size", size);
    if (result != reg::kSuccess) {
        return result;
    }
    services_.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kUpdateIniFile);
    services_.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kSendWinIniChange);
    services_.broadcaster.Broadcast(msg::kSettingChange);
    return result;
}

}  // namespace velmora
