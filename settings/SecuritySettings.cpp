#include "settings/SecuritySettings.h"

#include <optional>
#include <vector>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/CheckSetting.h"

namespace velmora {
namespace {

using S = SecuritySettings;

constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kLogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
constexpr const char* kDefaultUserSystemPolicies =
    ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

constexpr const char* kAutoAdminLogon = "AutoAdminLogon";
constexpr const char* kDefaultUserName = "DefaultUserName";
constexpr const char* kDefaultPassword = "DefaultPassword";

constexpr RootKey kHkcu = RootKey::CurrentUser;

// A policy switch whose box allows something: checked deletes the switch, unchecked sets it.
CheckSetting Allow(int control, const char* value) {
    return CheckSetting{
        control,     kHkcu, kPolicies, value, ReadRule::kFirstByteZero, true, RegistryAction::Delete(),
        kWriteFlag1, true};
}

// A policy switch whose box restricts something: checked sets the switch, unchecked deletes it.
CheckSetting Restrict(int control, const char* value, bool restart) {
    return CheckSetting{control,
                        kHkcu,
                        kPolicies,
                        value,
                        ReadRule::kFirstByteSet,
                        false,
                        kWriteFlag1,
                        RegistryAction::Delete(),
                        restart};
}

// Every row but automatic logon. Allow "Add Printer" needs a restart only when checked; Apply sees to it.
std::optional<CheckSetting> ValueRow(S::Row row) {
    switch (row) {
        case S::kNoAddPrinter: {
            CheckSetting setting = Allow(S::kAddPrinterBox, "NoAddPrinter");
            setting.restart = false;
            return setting;
        }
        case S::kNoDeletePrinter:
            return Allow(S::kRemovePrinterBox, "NoDeletePrinter");
        case S::kNoFileMenu:
            return Allow(S::kFileMenuBox, "NoFileMenu");
        case S::kNoChangeStartMenu:
            return Allow(S::kStartMenuContextBox, "NoChangeStartMenu");
        case S::kNoDrives:
            // Unchecked stores the bit of drive A: alone; checked drops the whole value.
            return Allow(S::kFloppyBox, "NoDrives");
        case S::kNoSetTaskbar:
            return Allow(S::kChangeTaskbarBox, "NoSetTaskbar");
        case S::kNoTrayContextMenu:
            return Allow(S::kTaskbarRightClickBox, "NoTrayContextMenu");
        case S::kNoViewContextMenu:
            return Allow(S::kDesktopRightClickBox, "NoViewContextMenu");
        case S::kNoDesktop:
            return Restrict(S::kLockDesktopBox, "NoDesktop", true);
        case S::kClearLastUser:
            return CheckSetting{S::kClearLastUserBox,        RootKey::LocalMachine,    kLogon,
                                "DontDisplayLastUserName",   ReadRule::kTextIsNotZero, false,
                                RegistryAction::String("1"), RegistryAction::Delete(), true};
        case S::kNoSaveSettings:
            return Allow(S::kSaveSettingsBox, "NoSaveSettings");
        case S::kDisableRegistryTools:
            return CheckSetting{
                S::kRegeditBox,           RootKey::Users,           kDefaultUserSystemPolicies,
                "DisableRegistryTools",   ReadRule::kFirstByteSet,  false,
                RegistryAction::Dword(1), RegistryAction::Delete(), false};
        case S::kNoPrinterTabs:
            return Restrict(S::kPrinterTabsBox, "NoPrinterTabs", false);
        default:
            return std::nullopt;
    }
}

// One value of an open key as text (up to its first zero); nothing when it cannot be read.
std::optional<std::string> ReadText(Registry& registry, HKey key, const char* name) {
    const auto data = ReadValue(registry, key, name);
    if (!data) {
        return std::nullopt;
    }
    return std::string(data->Text());
}

long SetText(Registry& registry, HKey key, const char* name, const std::string& text) {
    const std::string data = text.substr(0, text.find('\0'));
    return registry.SetValue(key, name, reg::kSz, reinterpret_cast<const std::uint8_t*>(data.c_str()),
                             static_cast<std::uint32_t>(data.size() + 1));
}

}  // namespace

int SecuritySettings::ControlOf(Row row) {
    if (row == kAutologon) {
        return kAutologonBox;
    }
    const auto setting = ValueRow(row);
    return setting ? setting->control : 0;
}

void SecuritySettings::Load() {
    Registry& registry = services_.registry;
    for (Row row : {kNoAddPrinter, kNoDeletePrinter, kNoFileMenu, kNoDesktop, kNoSetTaskbar, kNoDrives,
                    kNoTrayContextMenu, kNoViewContextMenu, kNoChangeStartMenu}) {
        check[row] = ReadCheck(registry, *ValueRow(row));
    }
    LoadAutologon();
    // Filling the edit fields is not a change of the user's.
    changed_[kAutologon] = 0;
    for (Row row : {kClearLastUser, kNoSaveSettings, kDisableRegistryTools, kNoPrinterTabs}) {
        check[row] = ReadCheck(registry, *ValueRow(row));
    }
}

void SecuritySettings::LoadAutologon() {
    Registry& registry = services_.registry;
    RegKey key;
    std::optional<std::string> autoLogon;
    if (key.Open(registry, ToHKey(RootKey::LocalMachine), kLogon, reg::kRead) == reg::kSuccess) {
        autoLogon = ReadText(registry, key.Get(), kAutoAdminLogon);
    }
    if (autoLogon && *autoLogon != "0") {
        check[kAutologon] = 1;
        Enable(kClearLastUserBox, false);
        if (const auto name = ReadText(registry, key.Get(), kDefaultUserName)) {
            userName = *name;
            password = ReadText(registry, key.Get(), kDefaultPassword).value_or("");
        }
    } else {
        check[kAutologon] = 0;
        Enable(kUserNameEdit, false);
        Enable(kPasswordEdit, false);
    }
}

bool SecuritySettings::Touch(int control, int notification) {
    if (notification == notify::kEditChange && (control == kUserNameEdit || control == kPasswordEdit)) {
        changed_[kAutologon] = 1;
        return true;
    }
    if (notification != notify::kButtonClicked) {
        return false;
    }
    for (int row = 0; row < kRowCount; ++row) {
        if (control == ControlOf(static_cast<Row>(row))) {
            changed_[row] = 1;
            return true;
        }
    }
    return false;
}

void SecuritySettings::ClickAutologon() {
    if (check[kAutologon] == 1) {
        Enable(kClearLastUserBox, false);
        Enable(kUserNameEdit, true);
        Enable(kPasswordEdit, true);
        services_.messages.Show(Owner(), kAutologonWarning, kAutologonWarningCaption,
                                mb::kOk | mb::kIconExclamation);
        // The clear-last-user row keeps its mark as it was: its value is written only if it was touched.
        check[kClearLastUser] = 0;
        if (hooks_.push) {
            hooks_.push();
        }
    } else {
        Enable(kClearLastUserBox, true);
        Enable(kUserNameEdit, false);
        Enable(kPasswordEdit, false);
    }
    changed_[kAutologon] = 1;
}

void SecuritySettings::ClickRegedit() {
    if (check[kDisableRegistryTools] == 1) {
        services_.messages.Show(Owner(), kRegeditNotice, kRegeditNoticeCaption,
                                mb::kOk | mb::kIconInformation);
    }
    changed_[kDisableRegistryTools] = 1;
}

long SecuritySettings::Apply(Row row) {
    if (row == kAutologon) {
        return ApplyAutologon();
    }
    const CheckSetting setting = *ValueRow(row);
    const long result = ApplyCheck(RegistryStore(services_.registry), setting, check[row]);
    if (result == reg::kSuccess && (setting.restart || (row == kNoAddPrinter && check[row] == 1))) {
        restartNeeded_ = 1;
    }
    return result;
}

long SecuritySettings::ApplyAutologon() {
    Registry& registry = services_.registry;
    // The logon key is never created: without it nothing can be switched on, and nothing is on to switch
    // off.
    RegKey key;
    const long opened = key.Open(registry, ToHKey(RootKey::LocalMachine), kLogon, reg::kAllAccess);
    if (opened != reg::kSuccess) {
        return opened == reg::kFileNotFound && check[kAutologon] != 1 ? reg::kSuccess : opened;
    }
    // The three values only make sense together. Logon is switched on last, once the user name and
    // password are stored, and switched off first, before they are removed: a call that fails part-way
    // never leaves the machine logging on by itself with credentials other than those applied.
    if (check[kAutologon] == 1) {
        long result = SetText(registry, key.Get(), kDefaultUserName, userName);
        if (result == reg::kSuccess) {
            result = SetText(registry, key.Get(), kDefaultPassword, password);
        }
        if (result == reg::kSuccess) {
            result = SetText(registry, key.Get(), kAutoAdminLogon, "1");
        }
        return result;
    }
    const long off = registry.DeleteValue(key.Get(), kAutoAdminLogon);
    if (off != reg::kSuccess && off != reg::kFileNotFound) {
        return off;
    }
    std::uint32_t size = 0;
    const long left = registry.QueryValue(key.Get(), kAutoAdminLogon, nullptr, nullptr, &size);
    if (left != reg::kFileNotFound) {
        return left == reg::kSuccess ? reg::kCanNotComplete : left;
    }
    long result = registry.DeleteValue(key.Get(), kDefaultUserName);
    result = result == reg::kFileNotFound ? reg::kSuccess : result;
    long secret = registry.DeleteValue(key.Get(), kDefaultPassword);
    secret = secret == reg::kFileNotFound ? reg::kSuccess : secret;
    return result != reg::kSuccess ? result : secret;
}

void SecuritySettings::Enable(int control, bool enable) const {
    if (hooks_.enable) {
        hooks_.enable(control, enable);
    }
}

WindowRef SecuritySettings::Owner() const {
    return hooks_.owner ? hooks_.owner() : 0;
}

}  // namespace velmora
