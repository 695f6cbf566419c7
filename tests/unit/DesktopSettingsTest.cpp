#include "settings/DesktopSettings.h"
#include "settings/Locations.h"

#include <gtest/gtest.h>

#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"
#include "settings/ModelPage.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryDump.h"
#include "tests/support/Windows.h"

namespace velmora {
namespace {

using D = DesktopSettings;

constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr const char* kMetrics = "Control Panel\\Desktop\\WindowMetrics";
constexpr const char* kShellIcons = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
constexpr const char* kMyComputer = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

class DesktopSettingsTest : public ::testing::Test {
  protected:
    RegistryStore Store() { return RegistryStore(fakes_.registry); }
    std::optional<ValueData> Read(RootKey root, const char* path, const char* name) {
        return ReadValue(fakes_.registry, root, path, name);
    }
    // Touches a control as the user would, then applies like the main window's Apply.
    void TouchAndApply(D& model, int control, int notification = notify::kButtonClicked) {
        ASSERT_TRUE(model.Touch(control, notification));
        ApplyAll(model);
    }
    void ApplyAll(D& model) {
        ModelPage page(model);
        const ApplyTarget targets[] = {{&page}};
        ApplyTouchedSettings(services_, targets);
    }

    FakeServices fakes_;
    Services services_ = fakes_.Get();
    D model_{services_};
};

TEST_F(DesktopSettingsTest, AnEmptyRegistryLoadsTheDocumentedMissingStates) {
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[D::kNoInternetIcon], 1);
    EXPECT_EQ(model_.check[D::kNoActiveDesktop], 1);
    EXPECT_EQ(model_.check[D::kClassicShell], 1);
    EXPECT_EQ(model_.check[D::kLink], 1);
    EXPECT_EQ(model_.check[D::kMinAnimate], 1);
    EXPECT_EQ(model_.check[D::kNoNetHood], 1);
    EXPECT_EQ(model_.check[D::kAutoEndTasks], 0);
    EXPECT_EQ(model_.check[D::kSmoothScroll], 0);
    EXPECT_EQ(model_.check[D::kMyComputerExplorer], 0);
    EXPECT_EQ(model_.check[D::kRecycleBinRename], 0);
    EXPECT_EQ(model_.iconSize, 1);
    EXPECT_EQ(model_.shortcutArrows, 0);
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(DesktopSettingsTest, NetworkNeighborhoodFallsBackToTheNetworkFamilyKey) {
    Store().WriteString(RootKey::LocalMachine, "Enum\\Network\\FAMILY", "", "");
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[D::kNoNetHood], 0);
    Store().WriteBinary(RootKey::CurrentUser, kPolicies, "NoNetHood", {0, 0, 0, 0});
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[D::kNoNetHood], 1);
}

TEST_F(DesktopSettingsTest, MinAnimateIsCheckedOnlyForTheTextOne) {
    for (const auto& [text, expected] : {std::pair{"0", 0}, {"2", 0}, {"1", 1}, {"10", 0}}) {
        Store().WriteString(RootKey::CurrentUser, kMetrics, "MinAnimate", text);
        model_.Load(testing::kWindows95);
        EXPECT_EQ(model_.check[D::kMinAnimate], expected) << text;
    }
    // Checking the box and applying deletes the value.
    model_.check[D::kMinAnimate] = 1;
    TouchAndApply(model_, IDC_DESKTOP_MIN_ANIMATE_BOX);
    EXPECT_FALSE(Read(RootKey::CurrentUser, kMetrics, "MinAnimate"));
    EXPECT_TRUE(model_.RestartNeeded());
}

TEST_F(DesktopSettingsTest, UncheckingNetworkNeighborhoodWritesTheBinaryFlagAndNeedsARestart) {
    model_.Load(testing::kWindows95);
    model_.check[D::kNoNetHood] = 0;
    TouchAndApply(model_, IDC_DESKTOP_SHOW_NET_HOOD_BOX);
    const auto value = Read(RootKey::CurrentUser, kPolicies, "NoNetHood");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->Bytes(), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_TRUE(model_.RestartNeeded());
    EXPECT_FALSE(model_.Changed(D::kNoNetHood));
}

TEST_F(DesktopSettingsTest, ApplyWithNothingTouchedChangesNothingAtAll) {
    Store().WriteString(RootKey::CurrentUser, kMetrics, "Shell Icon Size", "40");
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.iconSize, 1);  // "40" shows as Default
    const std::string before = testing::DumpRegistry(fakes_.registry);
    fakes_.journal.clear();
    ApplyAll(model_);
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
    EXPECT_TRUE(fakes_.journal.empty());
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(DesktopSettingsTest, ATouchTwiceIsAppliedOnceInItsLastState) {
    model_.Load(testing::kWindows95);
    ASSERT_TRUE(model_.Touch(IDC_DESKTOP_SMOOTH_SCROLL_BOX, notify::kButtonClicked));
    ASSERT_TRUE(model_.Touch(IDC_DESKTOP_SMOOTH_SCROLL_BOX, notify::kButtonClicked));
    // The controls are taken once, before the page's rows; with nothing touched, not at all.
    int pulls = 0;
    model_.check[D::kSmoothScroll] = 0;
    ModelPage page(model_, [&] { ++pulls; });
    const ApplyTarget targets[] = {{&page}};
    ApplyTouchedSettings(services_, targets);
    EXPECT_EQ(pulls, 1);
    EXPECT_EQ(Read(RootKey::CurrentUser, "Control Panel\\Desktop", "SmoothScroll")->Bytes(),
              (std::vector<std::uint8_t>{0, 0, 0, 0}));
    ApplyTouchedSettings(services_, targets);
    EXPECT_EQ(pulls, 1);
}

TEST_F(DesktopSettingsTest, TouchListensOnlyToTheRowsOwnNotification) {
    EXPECT_FALSE(model_.Touch(IDC_DESKTOP_ICON_SIZE_COMBO, notify::kButtonClicked));
    EXPECT_TRUE(model_.Touch(IDC_DESKTOP_ICON_SIZE_COMBO, notify::kSelectionChange));
    EXPECT_FALSE(model_.Touch(IDC_DESKTOP_SHOW_NET_HOOD_BOX, notify::kSelectionChange));
    EXPECT_TRUE(model_.Touch(IDC_DESKTOP_ARROW_NONE_RADIO, notify::kButtonClicked));
    EXPECT_TRUE(model_.Changed(D::kShortcutArrows));
    EXPECT_FALSE(model_.Touch(IDC_DESKTOP_REBUILD_ICONS_BUTTON, notify::kButtonClicked));
}

TEST_F(DesktopSettingsTest, HugeIconsWriteSixtyFourAndReloadTheIconsWithoutRestart) {
    model_.Load(testing::kWindows95);
    fakes_.journal.clear();
    model_.iconSize = 3;
    TouchAndApply(model_, IDC_DESKTOP_ICON_SIZE_COMBO, notify::kSelectionChange);
    EXPECT_TRUE(Read(RootKey::CurrentUser, kMetrics, "Shell Icon Size")->TextEquals("64"));
    EXPECT_EQ(fakes_.journal, (Journal{"SystemParametersInfo(88, 0, null, 1)",
                                       "SystemParametersInfo(88, 0, null, 2)", "Broadcast(26)"}));
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(DesktopSettingsTest, ShortcutArrowsAreReadBySubstring) {
    const std::pair<const char*, int> cases[] = {{"C:\\WINDOWS\\SYSTEM\\TWEAKUI.CPL,3", 2},
                                                 {"C:\\WINDOWS\\SYSTEM\\Icobank.exe,1", 1},
                                                 {"C:\\X\\TWEAKUI.CPL,2", 1},
                                                 {"C:\\X\\icobank.exe,1", 0},
                                                 {"shell32.dll,29", 0}};
    for (const auto& [text, expected] : cases) {
        Store().WriteString(RootKey::LocalMachine, kShellIcons, "29", text);
        model_.Load(testing::kWindows95);
        EXPECT_EQ(model_.shortcutArrows, expected) << text;
    }
}

TEST_F(DesktopSettingsTest, SmallArrowsWriteTheLibraryPathAndTheRebuildKeepsTheAppliedIconSize) {
    fakes_.directories.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    model_.Load(testing::kWindows95);
    model_.shortcutArrows = 1;
    model_.iconSize = 0;
    ASSERT_TRUE(model_.Touch(IDC_DESKTOP_ARROW_SMALL_RADIO, notify::kButtonClicked));
    TouchAndApply(model_, IDC_DESKTOP_ICON_SIZE_COMBO, notify::kSelectionChange);
    EXPECT_TRUE(
        Read(RootKey::LocalMachine, kShellIcons, "29")->TextEquals("C:\\WINDOWS\\SYSTEM\\Icobank.exe,1"));
    EXPECT_EQ(Read(RootKey::CurrentUser, kMetrics, "Shell Icon Size")->Bytes(),
              (std::vector<std::uint8_t>{'1', '6', 0}));
    EXPECT_FALSE(model_.IconRebuildPending());
    EXPECT_FALSE(model_.RestartNeeded());
    // Icon size first ("16"), then the rebuild's two rounds.
    EXPECT_EQ(fakes_.broadcaster.messages.size(), 3u);
}

TEST_F(DesktopSettingsTest, ASystemDirectoryTooLongForTheLocationWritesNothing) {
    fakes_.directories.systemDirectory = "C:\\" + std::string(82, 'x');  // 85 + 14 + zero = 100 fits
    model_.shortcutArrows = 2;
    TouchAndApply(model_, IDC_DESKTOP_ARROW_NONE_RADIO);
    EXPECT_EQ(Read(RootKey::LocalMachine, kShellIcons, "29")->Text().size(), 99u);

    fakes_.directories.systemDirectory += "x";  // one byte too many
    RegistryStore(fakes_.registry).DeleteValue(RootKey::LocalMachine, kShellIcons, "29");
    TouchAndApply(model_, IDC_DESKTOP_ARROW_NONE_RADIO);
    EXPECT_FALSE(Read(RootKey::LocalMachine, kShellIcons, "29"));
}

TEST_F(DesktopSettingsTest, MyComputerVerbIsCreatedAndRemovedOneLevelAtATime) {
    model_.check[D::kMyComputerExplorer] = 1;
    TouchAndApply(model_, IDC_DESKTOP_MY_COMPUTER_BOX);
    EXPECT_TRUE(Read(RootKey::ClassesRoot, (std::string(kMyComputer) + "\\Shell\\Open\\Command").c_str(), "")
                    ->TextEquals("explorer.exe"));
    EXPECT_EQ(fakes_.broadcaster.desktopRepaints, 1);

    // Only "Open" without "Command": "Open" goes.
    RegistryStore(fakes_.registry)
        .DeleteKey(RootKey::ClassesRoot, std::string(kMyComputer) + "\\Shell\\Open", "Command");
    model_.check[D::kMyComputerExplorer] = 0;
    TouchAndApply(model_, IDC_DESKTOP_MY_COMPUTER_BOX);
    EXPECT_FALSE(
        KeyExists(fakes_.registry, RootKey::ClassesRoot, std::string(kMyComputer) + "\\Shell\\Open"));
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::ClassesRoot, std::string(kMyComputer) + "\\Shell"));

    // An "Open" that holds another subkey stays.
    Store().WriteString(RootKey::ClassesRoot, std::string(kMyComputer) + "\\Shell\\Open\\ddeexec", "", "x");
    TouchAndApply(model_, IDC_DESKTOP_MY_COMPUTER_BOX);
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::ClassesRoot,
                          std::string(kMyComputer) + "\\Shell\\Open\\ddeexec"));
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(DesktopSettingsTest, RecycleBinAttributesDifferOnlyInTheirFirstByte) {
    const char* folder = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
    Store().WriteBinary(RootKey::ClassesRoot, folder, "Attributes", {0x70, 0x01, 0x00, 0x20});
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[D::kRecycleBinRename], 1);
    model_.check[D::kRecycleBinRename] = 0;
    TouchAndApply(model_, IDC_DESKTOP_RECYCLE_BIN_BOX);
    EXPECT_EQ(Read(RootKey::ClassesRoot, folder, "Attributes")->Bytes(),
              (std::vector<std::uint8_t>{0x40, 0x01, 0x00, 0x20}));
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(DesktopSettingsTest, BeepGoesThroughTheSystemParameterAndNeedsNoRestart) {
    fakes_.parameters.stored[spi::kGetBeep] = 1;
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[D::kBeep], 1);
    fakes_.journal.clear();
    model_.check[D::kBeep] = 0;
    TouchAndApply(model_, IDC_DESKTOP_BEEP_BOX);
    EXPECT_EQ(fakes_.journal, (Journal{"SystemParametersInfo(2, 0, null, 1)",
                                       "SystemParametersInfo(2, 0, null, 2)", "Broadcast(26)"}));
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(DesktopSettingsTest, WindowsVersionOnDesktopIsLoadedOnlyOnWindows98) {
    Store().WriteString(RootKey::CurrentUser, "Control Panel\\Desktop", "PaintDesktopVersion", "1");
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[D::kPaintDesktopVersion], 0);
    model_.Load(testing::kWindowsNt);
    EXPECT_EQ(model_.check[D::kPaintDesktopVersion], 0);
    model_.Load(testing::kWindows98);
    EXPECT_EQ(model_.check[D::kPaintDesktopVersion], 1);
}

}  // namespace
}  // namespace velmora
