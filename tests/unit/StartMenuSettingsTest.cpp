#include "settings/Locations.h"
#include "settings/StartMenuSettings.h"

#include <gtest/gtest.h>

#include <climits>

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

using S = StartMenuSettings;

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr const char* kDesktop = "Control Panel\\Desktop";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kStartMenu = "C:\\WINDOWS\\Start Menu";
constexpr const char* kPrintersDir =
    "C:\\WINDOWS\\Start Menu\\Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}";

// The in-memory registry, with every write and delete also noted in the shared journal, so that the
// order of the page's registry changes can be checked against its other calls.
class JournalingRegistry : public MemoryRegistry {
  public:
    explicit JournalingRegistry(Journal& journal) : journal_(journal) {}
    long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override {
        journal_.push_back("SetValue(" + std::string(name) + ")");
        return MemoryRegistry::SetValue(key, name, type, data, size);
    }
    long DeleteValue(HKey key, std::string_view name) override {
        journal_.push_back("DeleteValue(" + std::string(name) + ")");
        return MemoryRegistry::DeleteValue(key, name);
    }
    long DeleteKey(HKey key, std::string_view subKey) override {
        journal_.push_back("DeleteKey(" + std::string(subKey) + ")");
        return MemoryRegistry::DeleteKey(key, subKey);
    }

  private:
    Journal& journal_;
};

class StartMenuSettingsTest : public ::testing::Test {
  protected:
    RegistryStore Store() { return RegistryStore(registry_); }
    std::optional<ValueData> Read(const char* path, const char* name) {
        return ReadValue(registry_, kHkcu, path, name);
    }
    void SetStartMenu(const char* path) { Store().WriteString(kHkcu, kShellFolders, "Start Menu", path); }
    // Applies as the main window does; the page's please-wait window (and with `pulls` its taking of the
    // controls) go to the journal.
    void ApplyAll(bool pulls = false) {
        ModelPage page(
            model_,
            [this, pulls] {
                if (pulls) {
                    fakes_.journal.push_back("pull");
                }
            },
            [this](const PageRequests& requests) {
                if (requests.pleaseWait) {
                    fakes_.journal.push_back("PleaseWait");
                }
            });
        const ApplyTarget targets[] = {{&page}};
        ApplyTouchedSettings(services_, targets);
    }
    void Click(int control) { ASSERT_TRUE(model_.Touch(control, notify::kButtonClicked)); }
    // The journal lines with the given start, in order.
    Journal Calls(const std::string& prefix) const {
        Journal lines;
        for (const std::string& line : fakes_.journal) {
            if (line.rfind(prefix, 0) == 0 || line == "PleaseWait") {
                lines.push_back(line);
            }
        }
        return lines;
    }

    FakeServices fakes_;
    JournalingRegistry registry_{fakes_.journal};
    Services services_{registry_,       fakes_.parameters, fakes_.broadcaster, fakes_.directories,
                       fakes_.messages, fakes_.restarter,  fakes_.shell,       fakes_.help};
    S model_{services_};
};

TEST_F(StartMenuSettingsTest, WithoutAnyKeyEveryBoxShowsItsMissingState) {
    model_.Load(testing::kWindows95);
    for (S::Row row : {S::kNoLogoff, S::kNoFavoritesMenu, S::kNoWindowsUpdate, S::kNoRecentDocsMenu,
                       S::kNoRun, S::kNoFind, S::kNoFolderOptions, S::kNoClose, S::kNoRecentDocsHistory,
                       S::kNoSetFolders, S::kNoSetActiveDesktop}) {
        EXPECT_EQ(model_.check[row], 1) << row;
    }
    EXPECT_EQ(model_.check[S::kClearRecentDocsOnExit], 0);
    EXPECT_EQ(model_.menuDelay, "Default");
    EXPECT_EQ(model_.startMenuPath, "None");
    EXPECT_FALSE(model_.FoldersAvailable());
    for (S::History history : {S::kRecentDocs, S::kRunHistory, S::kFindHistory}) {
        EXPECT_FALSE(model_.HistoryAvailable(history));
    }
    EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(StartMenuSettingsTest, APolicySwitchIsReadByItsFirstByteWhateverItsType) {
    // DWORD 0: the switch is off, so "Show Run" shows checked.
    Store().WriteDword(kHkcu, kPolicies, "NoRun", 0);
    // REG_SZ "0": its first byte is the character '0', so the switch is on.
    Store().WriteString(kHkcu, kPolicies, "NoFind", "0");
    Store().WriteString(kHkcu, kPolicies, "ClearRecentDocsOnExit", "0");
    // DWORD 0x100: the low byte is 0.
    Store().WriteDword(kHkcu, kPolicies, "NoClose", 0x100);
    Store().WriteBinary(kHkcu, kPolicies, "NoSetFolders", kFlagOn);
    // A value without data has no first byte: it reads as off.
    RegKey key;
    ASSERT_EQ(key.Open(registry_, ToHKey(kHkcu), kPolicies, reg::kAllAccess), reg::kSuccess);
    registry_.SetValue(key.Get(), "NoLogoff", reg::kBinary, nullptr, 0);
    key.Close();

    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[S::kNoRun], 1);
    EXPECT_EQ(model_.check[S::kNoFind], 0);
    EXPECT_EQ(model_.check[S::kClearRecentDocsOnExit], 1);
    EXPECT_EQ(model_.check[S::kNoClose], 1);
    EXPECT_EQ(model_.check[S::kNoSetFolders], 0);
    EXPECT_EQ(model_.check[S::kNoLogoff], 1);
    EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(StartMenuSettingsTest, PolicyRowsWriteTheFlagOrDeleteTheValueAndNeedARestart) {
    Store().WriteDword(kHkcu, kPolicies, "NoFind", 1);
    model_.Load(testing::kWindows95);
    model_.check[S::kNoRun] = 0;                  // hide Run
    model_.check[S::kNoFind] = 1;                 // show Find again
    model_.check[S::kClearRecentDocsOnExit] = 1;  // clear on exit
    Click(IDC_STARTMENU_SHOW_RUN_BOX);
    Click(IDC_STARTMENU_SHOW_FIND_BOX);
    Click(IDC_STARTMENU_CLEAR_DOCS_ON_EXIT_BOX);
    ApplyAll();
    EXPECT_EQ(Read(kPolicies, "NoRun")->Bytes(), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Read(kPolicies, "ClearRecentDocsOnExit")->Bytes(), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_FALSE(Read(kPolicies, "NoFind"));
    EXPECT_TRUE(KeyExists(registry_, kHkcu, kPolicies));
    EXPECT_TRUE(model_.RestartNeeded());
    EXPECT_FALSE(model_.Changed(S::kNoRun));

    // Unchecking "Clear recent docs on exit" deletes its value.
    model_.check[S::kClearRecentDocsOnExit] = 0;
    Click(IDC_STARTMENU_CLEAR_DOCS_ON_EXIT_BOX);
    ApplyAll();
    EXPECT_FALSE(Read(kPolicies, "ClearRecentDocsOnExit"));
    EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(StartMenuSettingsTest, TouchedRowsAreAppliedInTheFixedOrderAfterOnePull) {
    SetStartMenu(kStartMenu);
    Store().WriteBinary(kHkcu, kPolicies, "NoDrives", kFlagOn);  // the policy key exists: deletes are made
    model_.Load(testing::kWindows95);
    model_.folder[S::kPrinters] = 1;
    fakes_.journal.clear();
    // Touched in the reverse of the apply order.
    Click(IDC_STARTMENU_SHOW_ACTIVE_DESKTOP_BOX);
    Click(IDC_STARTMENU_SHOW_RUN_BOX);
    ASSERT_TRUE(model_.Touch(IDC_STARTMENU_DELAY_EDIT, notify::kEditChange));
    Click(IDC_STARTMENU_CLEAR_DOCS_ON_EXIT_BOX);
    Click(IDC_STARTMENU_ALLOW_LOGOFF_BOX);
    Click(IDC_STARTMENU_PRINTERS_FOLDER_BOX);
    ApplyAll(true);
    // The controls are taken once, before the rows; the please-wait window follows the page's rows.
    EXPECT_EQ(fakes_.journal,
              (Journal{"pull", "CreateDirectory(" + std::string(kPrintersDir) + ")", "DeleteValue(NoLogoff)",
                       "DeleteValue(ClearRecentDocsOnExit)", "SetValue(MenuShowDelay)", "DeleteValue(NoRun)",
                       "DeleteValue(NoSetActiveDesktop)", "PleaseWait"}));
}

TEST_F(StartMenuSettingsTest, TheDelayIsWrittenOnlyWhenTouchedAndThenExactlyAsTyped) {
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.menuDelay, "Default");
    // Filling the edit at load sends a text change; the load itself ends with the delay untouched.
    ASSERT_TRUE(model_.Touch(IDC_STARTMENU_DELAY_EDIT, notify::kEditChange));
    model_.Load(testing::kWindows95);
    EXPECT_FALSE(model_.Changed(S::kMenuShowDelay));
    const std::string before = testing::DumpRegistry(registry_);
    ApplyAll();
    EXPECT_EQ(testing::DumpRegistry(registry_), before);
    EXPECT_FALSE(model_.RestartNeeded());

    // "Default" typed back in is written as it stands, over a value of another type.
    Store().WriteDword(kHkcu, kDesktop, "MenuShowDelay", 400);
    ASSERT_TRUE(model_.Touch(IDC_STARTMENU_DELAY_EDIT, notify::kEditChange));
    ApplyAll();
    const auto written = Read(kDesktop, "MenuShowDelay");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Bytes(), (std::vector<std::uint8_t>{'D', 'e', 'f', 'a', 'u', 'l', 't', 0}));
    EXPECT_TRUE(model_.RestartNeeded());

    model_.menuDelay = " 12x";
    ASSERT_TRUE(model_.Touch(IDC_STARTMENU_DELAY_EDIT, notify::kEditChange));
    ApplyAll();
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.menuDelay, " 12x");
    EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(StartMenuSettingsTest, TouchListensOnlyToEachControlsOwnNotification) {
    EXPECT_FALSE(model_.Touch(IDC_STARTMENU_DELAY_EDIT, notify::kButtonClicked));
    EXPECT_FALSE(model_.Touch(IDC_STARTMENU_SHOW_RUN_BOX, notify::kEditChange));
    EXPECT_FALSE(model_.Touch(IDC_STARTMENU_DELAY_SPIN, notify::kButtonClicked));
    for (S::History history : {S::kRecentDocs, S::kRunHistory, S::kFindHistory}) {
        EXPECT_FALSE(model_.Touch(S::ButtonOf(history), notify::kButtonClicked));
    }
    EXPECT_TRUE(model_.Touch(IDC_STARTMENU_RECYCLE_BIN_FOLDER_BOX, notify::kButtonClicked));
    EXPECT_TRUE(model_.FolderChanged(S::kRecycleBin));
    EXPECT_TRUE(model_.Changed(S::kFolders));
    EXPECT_FALSE(model_.FolderChanged(S::kPrinters));
}

TEST_F(StartMenuSettingsTest, CheckingPrintersCreatesThatOneDirectoryAndWaitsOnceWithoutRestart) {
    SetStartMenu(kStartMenu);
    fakes_.directories.AddDirectory(kStartMenu);
    model_.Load(testing::kWindows95);
    EXPECT_TRUE(model_.FoldersAvailable());
    EXPECT_EQ(model_.folder, (std::array<int, 4>{0, 0, 0, 0}));
    fakes_.journal.clear();
    model_.folder[S::kPrinters] = 1;
    Click(IDC_STARTMENU_PRINTERS_FOLDER_BOX);
    ApplyAll();
    EXPECT_EQ(Calls("CreateDirectory"),
              (Journal{"CreateDirectory(" + std::string(kPrintersDir) + ")", "PleaseWait"}));
    EXPECT_TRUE(fakes_.directories.Has(kPrintersDir));
    EXPECT_FALSE(model_.RestartNeeded());
    EXPECT_FALSE(model_.Changed(S::kFolders));

    // Apply again with nothing touched: no directory call and no waiting.
    fakes_.journal.clear();
    ApplyAll();
    EXPECT_TRUE(fakes_.journal.empty());
}

TEST_F(StartMenuSettingsTest, CheckedThenUncheckedBeforeApplyStillRemovesAndWaits) {
    SetStartMenu(kStartMenu);
    model_.Load(testing::kWindows95);
    fakes_.journal.clear();
    Click(IDC_STARTMENU_PRINTERS_FOLDER_BOX);
    Click(IDC_STARTMENU_PRINTERS_FOLDER_BOX);
    model_.folder[S::kPrinters] = 0;
    ApplyAll();
    EXPECT_EQ(fakes_.journal, (Journal{"RemoveDirectory(" + std::string(kPrintersDir) + ")", "PleaseWait"}));
}

TEST_F(StartMenuSettingsTest, AllFourFoldersAreHandledInTheirOrderBeforeOneWait) {
    SetStartMenu(kStartMenu);
    const std::string base = kStartMenu;
    fakes_.directories.AddDirectory(base + S::DirectoryName(S::kUrlHistory));
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.folder, (std::array<int, 4>{0, 0, 1, 0}));
    fakes_.journal.clear();
    for (int control : {IDC_STARTMENU_RECYCLE_BIN_FOLDER_BOX, IDC_STARTMENU_URL_HISTORY_FOLDER_BOX,
                        IDC_STARTMENU_PRINTERS_FOLDER_BOX, IDC_STARTMENU_CONTROL_PANEL_FOLDER_BOX}) {
        Click(control);
    }
    model_.folder = {1, 1, 0, 1};
    ApplyAll();
    EXPECT_EQ(fakes_.journal,
              (Journal{"CreateDirectory(" + base + "\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D})",
                       "CreateDirectory(" + base + "\\Printers.{2227A280-3AEA-1069-A2DE-08002B30309D})",
                       "RemoveDirectory(" + base + "\\URL History.{FF393560-C2A7-11CF-BFF4-444553540000})",
                       "CreateDirectory(" + base + "\\Recycle Bin.{645FF040-5081-101B-9F08-00AA002F954E})",
                       "PleaseWait"}));
    for (S::Folder f : {S::kControlPanel, S::kPrinters, S::kUrlHistory, S::kRecycleBin}) {
        EXPECT_FALSE(model_.FolderChanged(f));
    }
}

TEST_F(StartMenuSettingsTest, AFolderHoldingAFileStaysAndLoadsCheckedAgain) {
    SetStartMenu(kStartMenu);
    fakes_.directories.AddDirectory(kPrintersDir);
    fakes_.directories.AddFileIn(kPrintersDir);
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.folder[S::kPrinters], 1);
    model_.folder[S::kPrinters] = 0;
    Click(IDC_STARTMENU_PRINTERS_FOLDER_BOX);
    ApplyAll();
    EXPECT_FALSE(model_.FolderChanged(S::kPrinters));
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.folder[S::kPrinters], 1);
}

TEST_F(StartMenuSettingsTest, AnUnreadableStartMenuPathLeavesTheFoldersOffAndTheRestWorking) {
    // "Shell Folders" exists but has no "Start Menu"; a directory named after "None" must not count.
    Store().WriteString(kHkcu, kShellFolders, "Desktop", "C:\\WINDOWS\\Desktop");
    fakes_.directories.AddDirectory(std::string("None") + S::DirectoryName(S::kPrinters));
    Store().WriteBinary(kHkcu, kPolicies, "NoRun", kFlagOn);
    Store().WriteString(kHkcu, kDesktop, "MenuShowDelay", "250");
    model_.Load(testing::kWindows95);
    EXPECT_FALSE(model_.FoldersAvailable());
    EXPECT_EQ(model_.startMenuPath, "None");
    EXPECT_EQ(model_.folder, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(model_.check[S::kNoRun], 0);
    EXPECT_EQ(model_.menuDelay, "250");

    // An empty "Start Menu" value can be read: the folders are offered.
    SetStartMenu("");
    model_.Load(testing::kWindows95);
    EXPECT_TRUE(model_.FoldersAvailable());
    EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(StartMenuSettingsTest, ClearingAHistoryDeletesItsKeyAtOnceThenDisablesAndTellsToLogOff) {
    const std::string recent = std::string(kExplorer) + "\\RecentDocs";
    Store().WriteBinary(kHkcu, recent, "MRUList", kFlagOn);
    Store().WriteString(kHkcu, std::string(kExplorer) + "\\Doc Find Spec MRU", "a", "x");
    model_.Load(testing::kWindows95);
    EXPECT_TRUE(model_.HistoryAvailable(S::kRecentDocs));
    EXPECT_FALSE(model_.HistoryAvailable(S::kRunHistory));
    EXPECT_TRUE(model_.HistoryAvailable(S::kFindHistory));

    fakes_.journal.clear();
    EXPECT_TRUE(model_.ClearHistory(S::kRecentDocs));
    fakes_.journal.push_back("disable");  // the page's part
    model_.TellLogOff(77);
    EXPECT_FALSE(KeyExists(registry_, kHkcu, recent));
    EXPECT_TRUE(KeyExists(registry_, kHkcu, kExplorer));
    EXPECT_EQ(fakes_.journal,
              (Journal{"DeleteKey(RecentDocs)", "disable", "MessageBox(Velmora 99 - Information)"}));
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(fakes_.messages.shown[0].text, "You need to log off to clear the folder");
    EXPECT_EQ(fakes_.messages.shown[0].owner, 77u);
    EXPECT_EQ(fakes_.messages.shown[0].style, mb::kOk | mb::kIconInformation);
    EXPECT_FALSE(model_.HistoryAvailable(S::kRecentDocs));
    // Not a setting: nothing is marked for Apply.
    fakes_.journal.clear();
    ApplyAll();
    EXPECT_TRUE(fakes_.journal.empty());
    EXPECT_FALSE(model_.RestartNeeded());
    EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(StartMenuSettingsTest, AHistoryThatCannotBeDeletedShowsNothing) {
    // A history key that holds a subkey is refused, as Windows NT refuses it.
    const std::string run = std::string(kExplorer) + "\\RunMRU";
    Store().WriteString(kHkcu, run + "\\Nested", "a", "x");
    model_.Load(testing::kWindows95);
    EXPECT_FALSE(model_.ClearHistory(S::kRunHistory));
    EXPECT_TRUE(KeyExists(registry_, kHkcu, run));
    EXPECT_TRUE(model_.HistoryAvailable(S::kRunHistory));

    // Already gone (or never there): also nothing, and the Explorer key is not created.
    EXPECT_FALSE(model_.ClearHistory(S::kFindHistory));
    Store().DeleteKey(kHkcu, run, "Nested");
    Store().DeleteKey(kHkcu, kExplorer, "RunMRU");
    const std::string before = testing::DumpRegistry(registry_);
    EXPECT_FALSE(model_.ClearHistory(S::kRunHistory));
    EXPECT_EQ(testing::DumpRegistry(registry_), before);
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

// A clock that moves on by `stride` ticks at every reading, from `start`.
struct SteppingClock {
    long start;
    long stride;
    int readings = 0;
    long operator()() {
        const unsigned long now = static_cast<unsigned long>(start) +
                                  static_cast<unsigned long>(stride) * static_cast<unsigned long>(readings);
        ++readings;
        // A loop that never ends is a failure of its own; stop it here.
        if (readings > 100000) {
            ADD_FAILURE() << "the progress loop does not end";
            return static_cast<long>(static_cast<unsigned long>(start) + 1800);
        }
        return static_cast<long>(now);
    }
};

TEST(PleaseWaitProgressTest, StepsOnEveryTenthTickUntilEighteenHundredHavePassed) {
    SteppingClock clock{5000, 1};
    std::vector<int> positions;
    const int steps =
        RunPleaseWaitProgress(std::ref(clock), [&](int position) { positions.push_back(position); });
    // The start, then readings 1 to 1800 ticks after it: 10, 20, ..., 1800 step; the loop ends at the
    // first reading at 1800 or more.
    EXPECT_EQ(steps, 180);
    ASSERT_EQ(positions.size(), 180u);
    EXPECT_EQ(positions.front(), 1);
    EXPECT_EQ(positions.back(), 180);
    EXPECT_EQ(clock.readings, 1 + 1800);
}

TEST(PleaseWaitProgressTest, ReadingsThatMissTheTenthsDoNotStep) {
    // Every 7 ticks: only the multiples of 70 (70 to 1750) land on a tenth; the loop stops at 1806.
    SteppingClock coarse{0, 7};
    EXPECT_EQ(RunPleaseWaitProgress(std::ref(coarse), [](int) {}), 25);
    // A clock that jumps straight past the end: one reading, no step.
    SteppingClock jump{3, 1803};
    EXPECT_EQ(RunPleaseWaitProgress(std::ref(jump), [](int) {}), 0);
    EXPECT_EQ(jump.readings, 2);
}

TEST(PleaseWaitProgressTest, AClockThatWrapsStillCountsForward) {
    SteppingClock clock{LONG_MAX - 95, 10};
    EXPECT_EQ(RunPleaseWaitProgress(std::ref(clock), [](int) {}), 180);
}

}  // namespace
}  // namespace velmora
