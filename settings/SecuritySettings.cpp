#include "settings/SecuritySettings.h"

#include <optional>
#include <vector>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/Locations.h"

namespace velmora {
namespace {

using S = SecuritySettings;
using keys::kExplorerPolicies;

constexpr const char* kDefaultUserName = "DefaultUserName";
constexpr const char* kDefaultPassword = "DefaultPassword";

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;

// A policy switch whose box allows something (checked deletes the switch, unchecked sets it), or
// restricts something (checked sets it, unchecked deletes it).
constexpr Location Policy(const char* value) {
    return {kHkcu, kExplorerPolicies, value};
}
constexpr ReadRule kAllowRead = ReadRule::FirstByteZero();
constexpr RegistryAction kDelete = RegistryAction::Delete();

constexpr RowPart kLogonParts[] = {
    {IDC_SECURITY_USER_NAME_EDIT,
     CAPTION_SECURITY_USER_NAME_EDIT,
     CaptionFrom::kLabelBefore,
     Shown::kUserName,
     {kHklm, keys::kLogon, kDefaultUserName},
     nullptr},
    {IDC_SECURITY_PASSWORD_EDIT,
     CAPTION_SECURITY_PASSWORD_EDIT,
     CaptionFrom::kLabelBefore,
     Shown::kPassword,
     {kHklm, keys::kLogon, kDefaultPassword},
     nullptr},
};

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

// clang-format off
const std::array<SettingRow, S::kRowCount> SecuritySettings::kTable = {{
    {.row = kNoAddPrinter, .control = IDC_SECURITY_ADD_PRINTER_BOX, .caption = CAPTION_SECURITY_ADD_PRINTER_BOX,
     .at = Policy("NoAddPrinter"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestartWhenChecked},
    {.row = kNoDeletePrinter, .control = IDC_SECURITY_REMOVE_PRINTER_BOX, .caption = CAPTION_SECURITY_REMOVE_PRINTER_BOX,
     .at = Policy("NoDeletePrinter"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoFileMenu, .control = IDC_SECURITY_FILE_MENU_BOX, .caption = CAPTION_SECURITY_FILE_MENU_BOX,
     .at = Policy("NoFileMenu"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoChangeStartMenu, .control = IDC_SECURITY_START_MENU_CONTEXT_BOX, .caption = CAPTION_SECURITY_START_MENU_CONTEXT_BOX,
     .at = Policy("NoChangeStartMenu"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    // Unchecked stores the bit of drive A: alone; checked drops the whole value.
    {.row = kNoDrives, .control = IDC_SECURITY_FLOPPY_BOX, .caption = CAPTION_SECURITY_FLOPPY_BOX,
     .at = Policy("NoDrives"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoSetTaskbar, .control = IDC_SECURITY_CHANGE_TASKBAR_BOX, .caption = CAPTION_SECURITY_CHANGE_TASKBAR_BOX,
     .at = Policy("NoSetTaskbar"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoTrayContextMenu, .control = IDC_SECURITY_TASKBAR_RIGHT_CLICK_BOX, .caption = CAPTION_SECURITY_TASKBAR_RIGHT_CLICK_BOX,
     .at = Policy("NoTrayContextMenu"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoViewContextMenu, .control = IDC_SECURITY_DESKTOP_RIGHT_CLICK_BOX, .caption = CAPTION_SECURITY_DESKTOP_RIGHT_CLICK_BOX,
     .at = Policy("NoViewContextMenu"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoDesktop, .control = IDC_SECURITY_LOCK_DESKTOP_BOX, .caption = CAPTION_SECURITY_LOCK_DESKTOP_BOX,
     .at = Policy("NoDesktop"), .read = ReadRule::FirstByteSet(), .missing = Missing::kUnchecked,
     .checked = kWriteFlag1, .unchecked = kDelete, .flags = kRestart},
    {.row = kAutologon, .control = IDC_SECURITY_AUTOLOGON_BOX, .caption = CAPTION_SECURITY_AUTOLOGON_BOX,
     .at = {kHklm, keys::kLogon, "AutoAdminLogon"},
     .routine = Routine::kOwn, .parts = kLogonParts},
    {.row = kClearLastUser, .control = IDC_SECURITY_CLEAR_LAST_USER_BOX, .caption = CAPTION_SECURITY_CLEAR_LAST_USER_BOX,
     .at = {kHklm, keys::kLogon, "DontDisplayLastUserName"}, .read = ReadRule::TextIsNot("0"), .missing = Missing::kUnchecked,
     .checked = RegistryAction::String("1"), .unchecked = kDelete, .flags = kRestart},
    {.row = kNoSaveSettings, .control = IDC_SECURITY_SAVE_SETTINGS_BOX, .caption = CAPTION_SECURITY_SAVE_SETTINGS_BOX,
     .at = Policy("NoSaveSettings"), .read = kAllowRead, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kDisableRegistryTools, .control = IDC_SECURITY_REGEDIT_BOX, .caption = CAPTION_SECURITY_REGEDIT_BOX,
     .at = {RootKey::Users, keys::kDefaultUserSystemPolicies, "DisableRegistryTools"}, .read = ReadRule::FirstByteSet(),
     .missing = Missing::kUnchecked, .checked = RegistryAction::Dword(1), .unchecked = kDelete},
    {.row = kNoPrinterTabs, .control = IDC_SECURITY_PRINTER_TABS_BOX, .caption = CAPTION_SECURITY_PRINTER_TABS_BOX,
     .at = Policy("NoPrinterTabs"), .read = ReadRule::FirstByteSet(), .missing = Missing::kUnchecked,
     .checked = kWriteFlag1, .unchecked = kDelete},
}};
// clang-format on

std::span<const SettingRow> SecuritySettings::Table() {
    return kTable;
}

void SecuritySettings::ReadOwn(const SettingRow& row) {
    if (row.row == kAutologon) {
        ReadAutologon(row);
    }
}

long SecuritySettings::ApplyOwn(const SettingRow& row) {
    return row.row == kAutologon ? ApplyAutologon(row) : reg::kSuccess;
}

void SecuritySettings::Load(const WindowsTraits& windows) {
    TableModel::Load(windows);
    // Filling the edit fields is not a change of the user's.
    Untouch(kAutologon);
}

BoundMember SecuritySettings::Bind(Shown shown, int index) {
    switch (shown) {
        case Shown::kUserName:
            return {nullptr, &userName};
        case Shown::kPassword:
            return {nullptr, &password};
        default:
            return TableModel::Bind(shown, index);
    }
}

void SecuritySettings::ReadAutologon(const SettingRow& row) {
    Registry& registry = services_.registry;
    RegKey key;
    std::optional<std::string> autoLogon;
    if (key.Open(registry, ToHKey(row.at.root), row.at.key, reg::kRead) == reg::kSuccess) {
        autoLogon = ReadText(registry, key.Get(), row.at.value);
    }
    if (autoLogon && *autoLogon != "0") {
        check[kAutologon] = 1;
        if (const auto name = ReadText(registry, key.Get(), kDefaultUserName)) {
            userName = *name;
            password = ReadText(registry, key.Get(), kDefaultPassword).value_or("");
        }
    } else {
        check[kAutologon] = 0;
    }
}

SecuritySettings::LogonControls SecuritySettings::LogonControlsEnabled() const {
    const bool on = check[kAutologon] == 1;
    return LogonControls{!on, on, on};
}

bool SecuritySettings::ClickAutologon(WindowRef owner) {
    MarkTouched(kAutologon);
    if (check[kAutologon] != 1) {
        return false;
    }
    services_.messages.Show(owner, kAutologonWarning, kAutologonWarningCaption,
                            mb::kOk | mb::kIconExclamation);
    // The clear-last-user row keeps its mark as it was: its value is written only if it was touched.
    check[kClearLastUser] = 0;
    return true;
}

void SecuritySettings::ClickRegedit(WindowRef owner) {
    if (check[kDisableRegistryTools] == 1) {
        services_.messages.Show(owner, kRegeditNotice, kRegeditNoticeCaption, mb::kOk | mb::kIconInformation);
    }
    MarkTouched(kDisableRegistryTools);
}

long SecuritySettings::ApplyAutologon(const SettingRow& row) {
    Registry& registry = services_.registry;
    // The logon key is never created: without it nothing can be switched on, and nothing is on to switch
    // off.
    RegKey key;
    const long opened = key.Open(registry, ToHKey(row.at.root), row.at.key, reg::kAllAccess);
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
            result = SetText(registry, key.Get(), row.at.value, "1");
        }
        return result;
    }
    const long off = registry.DeleteValue(key.Get(), row.at.value);
    if (off != reg::kSuccess && off != reg::kFileNotFound) {
        return off;
    }
    std::uint32_t size = 0;
    const long left = registry.QueryValue(key.Get(), row.at.value, nullptr, nullptr, &size);
    if (left != reg::kFileNotFound) {
        return left == reg::kSuccess ? reg::kCanNotComplete : left;
    }
    long result = registry.DeleteValue(key.Get(), kDefaultUserName);
    result = result == reg::kFileNotFound ? reg::kSuccess : result;
    long secret = registry.DeleteValue(key.Get(), kDefaultPassword);
    secret = secret == reg::kFileNotFound ? reg::kSuccess : secret;
    return result != reg::kSuccess ? result : secret;
}

}  // namespace velmora
