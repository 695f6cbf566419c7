#include "settings/Locations.h"
#include "settings/SecuritySettings.h"

#include <gtest/gtest.h>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"
#include "settings/ModelPage.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryDump.h"
#include "tests/support/Windows.h"

namespace velmora {
namespace {

using S = SecuritySettings;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr const char* kLogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
constexpr const char* kSystemPolicies =
    ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr WindowRef kPage = 0x4321;

class SecuritySettingsTest : public ::testing::Test {
  protected:
    RegistryStore Store() { return RegistryStore(fakes_.registry); }
    std::optional<ValueData> Read(RootKey root, const std::string& path, const char* name) {
        return ReadValue(fakes_.registry, root, path, name);
    }
    std::uint32_t TypeOf(RootKey root, const std::string& path, const char* name) {
        RegKey key;
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (key.Open(fakes_.registry, ToHKey(root), path, reg::kRead) == reg::kSuccess) {
            fakes_.registry.QueryValue(key.Get(), name, &type, nullptr, &size);
        }
        return type;
    }
    void Load() {
        model_.Load(testing::kWindows95);
        EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
    }
    void ApplyAll() {
        ModelPage page(model_);
        const ApplyTarget targets[] = {{&page}};
        ApplyTouchedSettings(services_, targets);
        EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
    }
    // Leaves the box in `state`, clicks it, and applies like the main window's Apply.
    void SetAndApply(S::Row row, int state) {
        model_.check[row] = state;
        ASSERT_TRUE(model_.Touch(S::ControlOf(row), notify::kButtonClicked));
        ApplyAll();
        EXPECT_FALSE(model_.Changed(row));
    }
    void StoreLogon(const char* autoLogon, const char* user, const char* password) {
        for (const auto& [name, text] : {std::pair{"AutoAdminLogon", autoLogon},
                                         {"DefaultUserName", user},
                                         {"DefaultPassword", password}}) {
            if (text != nullptr) {
                Store().WriteString(RootKey::LocalMachine, kLogon, name, text);
            }
        }
    }

    FakeServices fakes_;
    Services services_ = fakes_.Get();
    S model_{services_};
};

TEST_F(SecuritySettingsTest, NothingStoredShowsTheAllowingBoxesCheckedAndDisablesTheLogonFields) {
    Load();
    const S::Row checkedRows[] = {S::kNoAddPrinter,      S::kNoDeletePrinter,   S::kNoFileMenu,
                                  S::kNoChangeStartMenu, S::kNoDrives,          S::kNoSetTaskbar,
                                  S::kNoTrayContextMenu, S::kNoViewContextMenu, S::kNoSaveSettings};
    for (int row = 0; row < S::kRowCount; ++row) {
        const bool checked =
            std::find(std::begin(checkedRows), std::end(checkedRows), row) != std::end(checkedRows);
        EXPECT_EQ(model_.check[row], checked ? 1 : 0) << "row " << row;
    }
    EXPECT_FALSE(model_.LogonControlsEnabled().userName);
    EXPECT_FALSE(model_.LogonControlsEnabled().password);
    EXPECT_TRUE(model_.LogonControlsEnabled().clearLastUser);
    EXPECT_TRUE(model_.userName.empty());
    EXPECT_TRUE(model_.password.empty());
}

TEST_F(SecuritySettingsTest, PolicyValuesAreReadByTheirFirstByteWhateverTheirType) {
    // A DWORD 0 is not set; the text "0" is (its first byte is the character).
    Store().WriteDword(RootKey::CurrentUser, kPolicies, "NoFileMenu", 0);
    Store().WriteString(RootKey::CurrentUser, kPolicies, "NoSetTaskbar", "0");
    Store().WriteDword(RootKey::CurrentUser, kPolicies, "NoDesktop", 0x100);
    Store().WriteString(RootKey::CurrentUser, kPolicies, "NoPrinterTabs", "0");
    Load();
    EXPECT_EQ(model_.check[S::kNoFileMenu], 1);
    EXPECT_EQ(model_.check[S::kNoSetTaskbar], 0);
    EXPECT_EQ(model_.check[S::kNoDesktop], 0);
    EXPECT_EQ(model_.check[S::kNoPrinterTabs], 1);
}

TEST_F(SecuritySettingsTest, ClearLastUserIsOnForAnyTextButZero) {
    const char* name = "DontDisplayLastUserName";
    Store().WriteDword(RootKey::LocalMachine, kLogon, name, 0);  // reads as the empty text
    Load();
    EXPECT_EQ(model_.check[S::kClearLastUser], 1);
    Store().WriteString(RootKey::LocalMachine, kLogon, name, "0");
    Load();
    EXPECT_EQ(model_.check[S::kClearLastUser], 0);
    Store().WriteString(RootKey::LocalMachine, kLogon, name, "00");
    Load();
    EXPECT_EQ(model_.check[S::kClearLastUser], 1);

    SetAndApply(S::kClearLastUser, 1);
    EXPECT_EQ(Read(RootKey::LocalMachine, kLogon, name)->Bytes(), (Bytes{'1', 0}));
    EXPECT_EQ(TypeOf(RootKey::LocalMachine, kLogon, name), reg::kSz);
    EXPECT_TRUE(model_.RestartNeeded());
    SetAndApply(S::kClearLastUser, 0);
    EXPECT_FALSE(Read(RootKey::LocalMachine, kLogon, name));
}

TEST_F(SecuritySettingsTest, FloppyWritesTheDriveABitAloneAndCheckedDropsEveryDrive) {
    Store().WriteBinary(RootKey::CurrentUser, kPolicies, "NoDrives", {0x00, 0x01, 0x00, 0x00});  // drive I:
    Load();
    EXPECT_EQ(model_.check[S::kNoDrives], 1);
    SetAndApply(S::kNoDrives, 0);
    EXPECT_EQ(Read(RootKey::CurrentUser, kPolicies, "NoDrives")->Bytes(), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(TypeOf(RootKey::CurrentUser, kPolicies, "NoDrives"), reg::kBinary);

    Store().WriteBinary(RootKey::CurrentUser, kPolicies, "NoDrives", {0x05, 0x01, 0x00, 0x00});
    Load();
    EXPECT_EQ(model_.check[S::kNoDrives], 0);
    SetAndApply(S::kNoDrives, 1);
    EXPECT_FALSE(Read(RootKey::CurrentUser, kPolicies, "NoDrives"));
    EXPECT_TRUE(model_.RestartNeeded());
}

TEST_F(SecuritySettingsTest, AddPrinterNeedsARestartOnlyWhenApplied) {
    SetAndApply(S::kNoAddPrinter, 0);
    EXPECT_EQ(Read(RootKey::CurrentUser, kPolicies, "NoAddPrinter")->Bytes(), (Bytes{1, 0, 0, 0}));
    EXPECT_FALSE(model_.RestartNeeded());
    SetAndApply(S::kNoAddPrinter, 1);
    EXPECT_FALSE(Read(RootKey::CurrentUser, kPolicies, "NoAddPrinter"));
    EXPECT_TRUE(model_.RestartNeeded());
}

TEST_F(SecuritySettingsTest, RowsWithoutRestartLeaveTheFlagAlone) {
    SetAndApply(S::kNoPrinterTabs, 1);
    EXPECT_EQ(Read(RootKey::CurrentUser, kPolicies, "NoPrinterTabs")->Bytes(), (Bytes{1, 0, 0, 0}));
    SetAndApply(S::kDisableRegistryTools, 1);
    model_.check[S::kAutologon] = 0;
    ASSERT_TRUE(model_.Touch(IDC_SECURITY_USER_NAME_EDIT, notify::kEditChange));
    ApplyAll();
    EXPECT_FALSE(model_.RestartNeeded());
    SetAndApply(S::kNoDesktop, 1);
    EXPECT_TRUE(model_.RestartNeeded());
}

TEST_F(SecuritySettingsTest, RegeditLockIsADwordOneForTheDefaultUser) {
    SetAndApply(S::kDisableRegistryTools, 1);
    EXPECT_EQ(Read(RootKey::Users, kSystemPolicies, "DisableRegistryTools")->Bytes(), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(TypeOf(RootKey::Users, kSystemPolicies, "DisableRegistryTools"), reg::kDword);
    Load();
    EXPECT_EQ(model_.check[S::kDisableRegistryTools], 1);
    SetAndApply(S::kDisableRegistryTools, 0);
    EXPECT_FALSE(Read(RootKey::Users, kSystemPolicies, "DisableRegistryTools"));
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::Users, kSystemPolicies));
}

TEST_F(SecuritySettingsTest, RegeditClickShowsTheNoticeOnlyWhenChecking) {
    model_.check[S::kDisableRegistryTools] = 1;
    model_.ClickRegedit(kPage);
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(fakes_.messages.shown[0].text,
              "You can still run Regedit by starting it from the Preferences page in Velmora 99");
    EXPECT_EQ(fakes_.messages.shown[0].caption, "Velmora 99 - Important");
    EXPECT_EQ(fakes_.messages.shown[0].style, mb::kOk | mb::kIconInformation);
    EXPECT_EQ(fakes_.messages.shown[0].owner, kPage);
    EXPECT_TRUE(model_.Changed(S::kDisableRegistryTools));

    model_.check[S::kDisableRegistryTools] = 0;
    model_.ClickRegedit(kPage);
    EXPECT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_FALSE(Read(RootKey::Users, kSystemPolicies, "DisableRegistryTools"));  // a click writes nothing
}

TEST_F(SecuritySettingsTest, AutologonLoadFillsTheFieldsAndLeavesTheRowUnmarked) {
    StoreLogon("1", "anna", "secret");
    ASSERT_TRUE(model_.Touch(IDC_SECURITY_PASSWORD_EDIT, notify::kEditChange));  // as the page's fill would
    Load();
    EXPECT_EQ(model_.check[S::kAutologon], 1);
    EXPECT_EQ(model_.userName, "anna");
    EXPECT_EQ(model_.password, "secret");
    EXPECT_FALSE(model_.Changed(S::kAutologon));
    const S::LogonControls enabled = model_.LogonControlsEnabled();
    EXPECT_FALSE(enabled.clearLastUser);
    EXPECT_TRUE(enabled.userName && enabled.password);

    // Nothing touched afterwards: an apply writes nothing for the logon.
    const std::string before = testing::DumpRegistry(fakes_.registry);
    ApplyAll();
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
}

TEST_F(SecuritySettingsTest, AutologonLoadRules) {
    struct Case {
        const char* autoLogon;
        const char* user;
        const char* password;
        int checked;
        const char* expectUser;
        const char* expectPassword;
    };
    const Case cases[] = {
        {"0", "anna", "secret", 0, "", ""},
        {nullptr, "anna", "secret", 0, "", ""},
        {"", "anna", nullptr, 1, "anna", ""},   // empty text is not "0"
        {"yes", nullptr, "secret", 1, "", ""},  // no user name: neither is read
    };
    for (const Case& c : cases) {
        FakeServices fakes;
        Services services = fakes.Get();
        S model(services);
        for (const auto& [name, text] : {std::pair{"AutoAdminLogon", c.autoLogon},
                                         {"DefaultUserName", c.user},
                                         {"DefaultPassword", c.password}}) {
            if (text != nullptr) {
                RegistryStore(fakes.registry).WriteString(RootKey::LocalMachine, kLogon, name, text);
            }
        }
        model.Load(testing::kWindows95);
        const std::string label = c.autoLogon != nullptr ? c.autoLogon : "(none)";
        EXPECT_EQ(model.check[S::kAutologon], c.checked) << label;
        EXPECT_EQ(model.userName, c.expectUser) << label;
        EXPECT_EQ(model.password, c.expectPassword) << label;
        // With automatic logon the name and password are edited, without it the last user is cleared.
        EXPECT_EQ(model.LogonControlsEnabled().userName, c.checked == 1) << label;
        EXPECT_EQ(model.LogonControlsEnabled().password, c.checked == 1) << label;
        EXPECT_EQ(model.LogonControlsEnabled().clearLastUser, c.checked == 0) << label;
        EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
    }
}

TEST_F(SecuritySettingsTest, CheckingAutologonWarnsAndUnchecksClearLastUserWithoutMarkingIt) {
    Store().WriteString(RootKey::LocalMachine, kLogon, "DontDisplayLastUserName", "1");
    Load();
    ASSERT_EQ(model_.check[S::kClearLastUser], 1);
    fakes_.journal.clear();

    model_.check[S::kAutologon] = 1;
    EXPECT_TRUE(model_.ClickAutologon(kPage));  // a member changed: the page shows them again
    EXPECT_EQ(fakes_.journal, (Journal{"MessageBox(Warning - Velmora 99)"}));
    const auto& warning = fakes_.messages.shown.at(0);
    EXPECT_EQ(warning.text,
              "Warning: The Autologon Password is not encrypted. Any user with access to Regedit may alter "
              "it.\r\n\r\nAlso, Clear Last User at Logon will be disabled.");
    EXPECT_EQ(warning.style, mb::kOk | mb::kIconExclamation);
    EXPECT_EQ(warning.owner, kPage);
    EXPECT_EQ(model_.check[S::kClearLastUser], 0);
    EXPECT_TRUE(model_.Changed(S::kAutologon));
    EXPECT_FALSE(model_.Changed(S::kClearLastUser));

    // Applying writes the logon but leaves "DontDisplayLastUserName" as stored.
    model_.userName = "bob";
    ApplyAll();
    EXPECT_TRUE(Read(RootKey::LocalMachine, kLogon, "DontDisplayLastUserName")->TextEquals("1"));
    EXPECT_TRUE(Read(RootKey::LocalMachine, kLogon, "DefaultUserName")->TextEquals("bob"));
    EXPECT_FALSE(model_.RestartNeeded());

    // Unchecking again: no warning, the fields follow.
    fakes_.journal.clear();
    model_.check[S::kAutologon] = 0;
    EXPECT_FALSE(model_.ClickAutologon(kPage));
    EXPECT_TRUE(fakes_.journal.empty());
    EXPECT_TRUE(model_.LogonControlsEnabled().clearLastUser);
    EXPECT_FALSE(model_.LogonControlsEnabled().userName);
}

TEST_F(SecuritySettingsTest, AutologonAppliesAllThreeValuesAsText) {
    StoreLogon("0", nullptr, nullptr);
    model_.check[S::kAutologon] = 1;
    model_.userName = "anna";
    model_.password = "";
    ASSERT_TRUE(model_.Touch(IDC_SECURITY_AUTOLOGON_BOX, notify::kButtonClicked));
    ApplyAll();
    EXPECT_EQ(Read(RootKey::LocalMachine, kLogon, "AutoAdminLogon")->Bytes(), (Bytes{'1', 0}));
    EXPECT_EQ(Read(RootKey::LocalMachine, kLogon, "DefaultUserName")->Bytes(),
              (Bytes{'a', 'n', 'n', 'a', 0}));
    EXPECT_EQ(Read(RootKey::LocalMachine, kLogon, "DefaultPassword")->Bytes(), (Bytes{0}));
    for (const char* name : {"AutoAdminLogon", "DefaultUserName", "DefaultPassword"}) {
        EXPECT_EQ(TypeOf(RootKey::LocalMachine, kLogon, name), reg::kSz) << name;
    }

    // Unchecked: all three go, the key and its other values stay.
    Store().WriteString(RootKey::LocalMachine, kLogon, "DontDisplayLastUserName", "1");
    model_.check[S::kAutologon] = 0;
    ASSERT_TRUE(model_.Touch(IDC_SECURITY_AUTOLOGON_BOX, notify::kButtonClicked));
    ApplyAll();
    for (const char* name : {"AutoAdminLogon", "DefaultUserName", "DefaultPassword"}) {
        EXPECT_FALSE(Read(RootKey::LocalMachine, kLogon, name)) << name;
    }
    EXPECT_TRUE(Read(RootKey::LocalMachine, kLogon, "DontDisplayLastUserName"));
    EXPECT_FALSE(model_.RestartNeeded());
}

// Without the logon key nothing can be switched on (a failure: the row stays marked), and nothing is on
// to switch off.
TEST_F(SecuritySettingsTest, AutologonNeverCreatesTheLogonKey) {
    const std::string before = testing::DumpRegistry(fakes_.registry);
    for (const int on : {1, 0}) {
        model_.check[S::kAutologon] = on;
        model_.userName = "anna";
        ASSERT_TRUE(model_.Touch(IDC_SECURITY_USER_NAME_EDIT, notify::kEditChange));
        ApplyAll();
        EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
        EXPECT_EQ(model_.Changed(S::kAutologon), on == 1);
    }
}

TEST_F(SecuritySettingsTest, TouchMarksOneRowPerControlAndNotification) {
    EXPECT_FALSE(model_.Touch(IDC_SECURITY_USER_NAME_EDIT, notify::kButtonClicked));
    EXPECT_FALSE(model_.Touch(IDC_SECURITY_ADD_PRINTER_BOX, notify::kEditChange));
    EXPECT_FALSE(model_.Changed(S::kAutologon));
    EXPECT_TRUE(model_.Touch(IDC_SECURITY_PASSWORD_EDIT, notify::kEditChange));
    EXPECT_TRUE(model_.Changed(S::kAutologon));
    EXPECT_TRUE(model_.Touch(IDC_SECURITY_FLOPPY_BOX, notify::kButtonClicked));
    EXPECT_TRUE(model_.Changed(S::kNoDrives));
    EXPECT_FALSE(model_.Changed(S::kNoAddPrinter));
}

// Records the names of the values written or deleted, in order.
class WriteOrder : public MemoryRegistry {
  public:
    long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override {
        names.emplace_back(name);
        return MemoryRegistry::SetValue(key, name, type, data, size);
    }
    long DeleteValue(HKey key, std::string_view name) override {
        names.emplace_back(name);
        return MemoryRegistry::DeleteValue(key, name);
    }
    std::vector<std::string> names;
};

TEST(SecuritySettingsOrder, TouchedRowsApplyInTheirFixedOrderEachAfterAPull) {
    FakeServices fakes;
    WriteOrder registry;
    Services services = fakes.Get();
    Services recording{registry,          services.parameters, services.broadcaster, services.directories,
                       services.messages, services.restarter,  services.shell,       services.help};
    RegistryStore(registry).WriteString(RootKey::LocalMachine, kLogon, "AutoAdminLogon", "0");
    RegistryStore(registry).WriteDword(RootKey::Users, kSystemPolicies, "DisableRegistryTools", 1);
    registry.names.clear();
    S model(recording);
    // Touched in reverse; every box left unchecked.
    for (int row = S::kRowCount - 1; row >= 0; --row) {
        ASSERT_TRUE(model.Touch(S::ControlOf(static_cast<S::Row>(row)), notify::kButtonClicked));
    }
    int pulls = 0;
    ModelPage page(model, [&] { ++pulls; });
    const ApplyTarget targets[] = {{&page}};
    ApplyTouchedSettings(recording, targets);
    EXPECT_EQ(pulls, 1);
    const std::vector<std::string> expected = {"NoAddPrinter",
                                               "NoDeletePrinter",
                                               "NoFileMenu",
                                               "NoChangeStartMenu",
                                               "NoDrives",
                                               "NoSetTaskbar",
                                               "NoTrayContextMenu",
                                               "NoViewContextMenu",
                                               "NoDesktop",
                                               "AutoAdminLogon",
                                               "DefaultUserName",
                                               "DefaultPassword",
                                               "DontDisplayLastUserName",
                                               "NoSaveSettings",
                                               "DisableRegistryTools",
                                               "NoPrinterTabs"};
    EXPECT_EQ(registry.names, expected);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    for (int row = 0; row < S::kRowCount; ++row) {
        EXPECT_FALSE(model.Changed(static_cast<S::Row>(row)));
    }
}

}  // namespace
}  // namespace velmora
