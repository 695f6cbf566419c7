#include "settings/Locations.h"
#include "settings/MiscSettings.h"

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

using M = MiscSettings;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr const char* kFileSystem = "System\\CurrentControlSet\\control\\FileSystem";
constexpr const char* kMetrics = "Control Panel\\desktop\\WindowMetrics";
constexpr const char* kDesktop = "Control Panel\\desktop";
constexpr WindowRef kPage = 0x1234;

class MiscSettingsTest : public ::testing::Test {
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
    // Leaves the box in `state`, touches it, and applies like the main window's Apply.
    void SetAndApply(M::Row row, int state) {
        model_.check[row] = state;
        ASSERT_TRUE(model_.Touch(M::ControlOf(row), notify::kButtonClicked));
        ApplyAll();
        EXPECT_FALSE(model_.Changed(row));
    }
    // As the main window's Apply; the page shows its members again when the model asks (counted, with
    // the numeric tails' box as shown then).
    ApplyOutcome ApplyAll() {
        ModelPage page(
            model_, {},
            [this](const PageRequests& requests) {
                if (requests.showMembers) {
                    ++pushes_;
                    pushedNumericTail_ = model_.check[M::kNumericTail];
                }
            },
            kPage);
        const ApplyTarget targets[] = {{&page}};
        ApplyOutcome outcome = ApplyTouchedSettings(services_, targets);
        EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
        return outcome;
    }

    FakeServices fakes_;
    Services services_ = fakes_.Get();
    M model_{services_};
    int pushes_ = 0;
    int pushedNumericTail_ = -1;
};

TEST_F(MiscSettingsTest, AnEmptyRegistryShowsOnlyThePermissiveBoxesChecked) {
    model_.Load(testing::kWindows98Plus);
    for (int row = 0; row < M::kRowCount; ++row) {
        const bool checked =
            row == M::kNoStartBanner || row == M::kDataCd || row == M::kRealMode || row == M::kNumericTail;
        EXPECT_EQ(model_.check[row], checked ? 1 : 0) << "row " << row;
    }
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(MiscSettingsTest, DragAndSmoothingAreReadOnlyWithTheExtensionsOrOnNt) {
    fakes_.parameters.stored[spi::kGetDragFullWindows] = 1;
    Store().WriteString(RootKey::CurrentUser, kDesktop, "FontSmoothing", "2");
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kDragFullWindows], 0);
    EXPECT_EQ(model_.check[M::kFontSmoothing], 0);
    EXPECT_TRUE(fakes_.parameters.calls.empty());

    model_.Load(testing::kWindows98Plus);
    EXPECT_EQ(model_.check[M::kDragFullWindows], 1);
    EXPECT_EQ(model_.check[M::kFontSmoothing], 1);  // anything but "0" is on
    Store().WriteString(RootKey::CurrentUser, kDesktop, "FontSmoothing", "0");
    model_.Load(testing::kWindowsNt);
    EXPECT_EQ(model_.check[M::kFontSmoothing], 0);
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(MiscSettingsTest, SmoothingIsSetTwiceBroadcastAndThenWrittenAsText) {
    SetAndApply(M::kFontSmoothing, 0);
    EXPECT_EQ(fakes_.journal, (Journal{"SystemParametersInfo(75, 0, null, 1)",
                                       "SystemParametersInfo(75, 0, null, 2)", "Broadcast(26)"}));
    EXPECT_TRUE(Read(RootKey::CurrentUser, kDesktop, "FontSmoothing")->TextEquals("0"));
    SetAndApply(M::kFontSmoothing, 1);
    EXPECT_EQ(fakes_.parameters.calls.back().param, 1u);
    EXPECT_EQ(Read(RootKey::CurrentUser, kDesktop, "FontSmoothing")->Bytes(), (Bytes{'1', 0}));
    EXPECT_EQ(TypeOf(RootKey::CurrentUser, kDesktop, "FontSmoothing"), reg::kSz);

    // Full-window drag: the profile only, no notification and no registry write of its own.
    const std::string before = testing::DumpRegistry(fakes_.registry);
    fakes_.journal.clear();
    SetAndApply(M::kDragFullWindows, 1);
    EXPECT_EQ(fakes_.journal, (Journal{"SystemParametersInfo(37, 1, null, 1)"}));
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(MiscSettingsTest, NumericTailIsShownByTheValuesAbsenceWhateverItHolds) {
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kNumericTail], 1);
    for (const Bytes& data : {Bytes{1, 0, 0, 0}, Bytes{0, 0, 0, 0}, Bytes{}}) {
        HKey key = 0;
        ASSERT_EQ(fakes_.registry.CreateKey(ToHKey(RootKey::LocalMachine), kFileSystem, reg::kAllAccess, key),
                  reg::kSuccess);
        fakes_.registry.SetValue(key, "NameNumericTail", reg::kBinary, data.data(),
                                 static_cast<std::uint32_t>(data.size()));
        fakes_.registry.CloseKey(key);
        model_.Load(testing::kWindows95);
        EXPECT_EQ(model_.check[M::kNumericTail], 0) << data.size() << " bytes";
    }
}

TEST_F(MiscSettingsTest, NumericTailAsksWhenAppliedAndWritesOnlyOnYes) {
    model_.Load(testing::kWindows95);
    // A click asks nothing.
    ASSERT_TRUE(model_.Touch(IDC_MISC_NUMERIC_TAIL_BOX, notify::kButtonClicked));
    EXPECT_TRUE(fakes_.messages.shown.empty());

    fakes_.messages.answers = {mb::kIdYes};
    model_.check[M::kNumericTail] = 0;
    ApplyAll();
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    const auto& question = fakes_.messages.shown[0];
    EXPECT_EQ(question.text, "You're about to change a System setting. Are you sure you want to continue?");
    EXPECT_EQ(question.caption, "Velmora 99 - Important Message!");
    EXPECT_EQ(question.style, mb::kYesNo | mb::kIconQuestion);
    EXPECT_EQ(question.owner, kPage);
    EXPECT_EQ(Read(RootKey::LocalMachine, kFileSystem, "NameNumericTail")->Bytes(), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(TypeOf(RootKey::LocalMachine, kFileSystem, "NameNumericTail"), reg::kBinary);
    EXPECT_TRUE(model_.RestartNeeded());
    EXPECT_EQ(pushes_, 0);

    fakes_.messages.answers = {mb::kIdYes};
    SetAndApply(M::kNumericTail, 1);
    EXPECT_FALSE(Read(RootKey::LocalMachine, kFileSystem, "NameNumericTail"));
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::LocalMachine, kFileSystem));
}

TEST_F(MiscSettingsTest, NoToTheNumericTailQuestionRestoresTheBoxAndChangesNothing) {
    Store().WriteBinary(RootKey::LocalMachine, kFileSystem, "NameNumericTail", {1, 0, 0, 0});
    model_.Load(testing::kWindows95);
    ASSERT_EQ(model_.check[M::kNumericTail], 0);
    const std::string before = testing::DumpRegistry(fakes_.registry);

    fakes_.messages.answers = {mb::kIdNo};
    SetAndApply(M::kNumericTail, 1);
    EXPECT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
    EXPECT_EQ(model_.check[M::kNumericTail], 0);
    EXPECT_EQ(pushes_, 1);
    EXPECT_EQ(pushedNumericTail_, 0);  // the push shows the stored state
    EXPECT_FALSE(model_.RestartNeeded());

    // Touched again later, the question comes again.
    fakes_.messages.answers = {mb::kIdYes};
    SetAndApply(M::kNumericTail, 1);
    EXPECT_EQ(fakes_.messages.shown.size(), 2u);
    EXPECT_FALSE(Read(RootKey::LocalMachine, kFileSystem, "NameNumericTail"));
}

TEST_F(MiscSettingsTest, DataCdAutoplayReplacesTheWholeMask) {
    Store().WriteBinary(RootKey::CurrentUser, kPolicies, "NoDriveTypeAutoRun", {0x91, 0x00, 0x00, 0x00});
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kDataCd], 0);
    SetAndApply(M::kDataCd, 1);
    EXPECT_EQ(Read(RootKey::CurrentUser, kPolicies, "NoDriveTypeAutoRun")->Bytes(),
              (Bytes{0x95, 0x00, 0x00, 0x00}));
    EXPECT_EQ(TypeOf(RootKey::CurrentUser, kPolicies, "NoDriveTypeAutoRun"), reg::kBinary);
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kDataCd], 1);
    SetAndApply(M::kDataCd, 0);
    EXPECT_EQ(Read(RootKey::CurrentUser, kPolicies, "NoDriveTypeAutoRun")->Bytes(),
              (Bytes{0xB5, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(model_.RestartNeeded());
}

TEST_F(MiscSettingsTest, IconColorsAskForTheRebuildAndARestart) {
    const std::pair<const char*, int> cases[] = {{"8", 1}, {"4", 0}, {"16", 1}, {"04", 1}};
    for (const auto& [text, expected] : cases) {
        Store().WriteString(RootKey::CurrentUser, kMetrics, "Shell Icon BPP", text);
        model_.Load(testing::kWindows95);
        EXPECT_EQ(model_.check[M::kIconColors], expected) << text;
    }
    model_.check[M::kIconColors] = 0;
    ASSERT_TRUE(model_.Touch(IDC_MISC_ICON_COLORS_BOX, notify::kButtonClicked));
    model_.ApplyTouched(kPage);
    EXPECT_TRUE(Read(RootKey::CurrentUser, kMetrics, "Shell Icon BPP")->TextEquals("4"));
    EXPECT_TRUE(model_.IconRebuildPending());
    EXPECT_TRUE(model_.RestartNeeded());

    // Through the apply cycle the rebuild follows and clears the request.
    fakes_.journal.clear();
    SetAndApply(M::kIconColors, 1);
    EXPECT_TRUE(Read(RootKey::CurrentUser, kMetrics, "Shell Icon BPP")->TextEquals("16"));
    EXPECT_FALSE(model_.IconRebuildPending());
    EXPECT_EQ(fakes_.broadcaster.messages.size(), 2u);  // the rebuild's two rounds
}

TEST_F(MiscSettingsTest, CursorBlinkRateIsNonBlinkingOnlyAt65535) {
    Store().WriteString(RootKey::CurrentUser, "Control Panel\\Desktop", "CursorBlinkRate", "530");
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kNonBlinkingCursor], 0);
    SetAndApply(M::kNonBlinkingCursor, 1);
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kNonBlinkingCursor], 1);
    SetAndApply(M::kNonBlinkingCursor, 0);
    EXPECT_TRUE(Read(RootKey::CurrentUser, kDesktop, "CursorBlinkRate")->TextEquals("500"));
    EXPECT_TRUE(model_.RestartNeeded());
}

TEST_F(MiscSettingsTest, AudioCdPlayIsAnyNonEmptyDefaultValue) {
    Store().WriteString(RootKey::ClassesRoot, "AudioCD\\shell", "", "open");
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kAudioCd], 1);
    SetAndApply(M::kAudioCd, 0);
    EXPECT_EQ(Read(RootKey::ClassesRoot, "AudioCD\\shell", "")->Bytes(), (Bytes{0}));
    EXPECT_EQ(TypeOf(RootKey::ClassesRoot, "AudioCD\\shell", ""), reg::kSz);
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kAudioCd], 0);
    SetAndApply(M::kAudioCd, 1);
    EXPECT_TRUE(Read(RootKey::ClassesRoot, "AudioCD\\shell", "")->TextEquals("play"));
}

TEST_F(MiscSettingsTest, TipsAndRealModeWriteTheirOwnKindsOfData) {
    const char* tips = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Tips";
    const char* oldApp = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp";
    SetAndApply(M::kTipOfTheDay, 1);
    EXPECT_EQ(Read(RootKey::CurrentUser, tips, "Show")->Bytes(), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(TypeOf(RootKey::CurrentUser, tips, "Show"), reg::kBinary);
    SetAndApply(M::kTipOfTheDay, 0);
    EXPECT_FALSE(Read(RootKey::CurrentUser, tips, "Show"));

    SetAndApply(M::kRealMode, 0);
    EXPECT_EQ(Read(RootKey::CurrentUser, oldApp, "NoRealMode")->Bytes(), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(TypeOf(RootKey::CurrentUser, oldApp, "NoRealMode"), reg::kDword);
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kRealMode], 0);
    SetAndApply(M::kRealMode, 1);
    EXPECT_FALSE(Read(RootKey::CurrentUser, oldApp, "NoRealMode"));
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::CurrentUser, oldApp));

    SetAndApply(M::kNoStartBanner, 0);
    EXPECT_EQ(Read(RootKey::CurrentUser, kPolicies, "NoStartBanner")->Bytes(), (Bytes{1, 0, 0, 0}));
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kNoStartBanner], 0);
}

TEST_F(MiscSettingsTest, VerbsAreShownByTheirKeyAndAddedWithTheirCommand) {
    // A verb key without "command" counts as present.
    RegKey bare;
    ASSERT_EQ(bare.Create(fakes_.registry, ToHKey(RootKey::ClassesRoot), "Unknown\\shell\\View With Wordpad",
                          reg::kAllAccess),
              reg::kSuccess);
    bare.Close();
    model_.Load(testing::kWindows95);
    EXPECT_EQ(model_.check[M::kViewWithWordpad], 1);
    EXPECT_EQ(model_.check[M::kViewWithNotepad], 0);

    const std::pair<M::Row, const char*> verbs[] = {
        {M::kViewWithNotepad, "Unknown\\shell\\View With Notepad"},
        {M::kViewWithWordpad, "Unknown\\shell\\View With Wordpad"},
        {M::kOpenWithNotepad, "*\\shell\\Open with Notepad"},
        {M::kOpenWithWordpad, "*\\shell\\Open with Wordpad"},
        {M::kExploreFromHere, "Directory\\shell\\E&xplore From Here"}};
    for (const auto& [row, key] : verbs) {
        SetAndApply(row, 1);
    }
    const auto command = [&](const char* key) {
        return std::string(Read(RootKey::ClassesRoot, std::string(key) + "\\command", "")->Text());
    };
    EXPECT_EQ(command(verbs[0].second), "notepad.exe %1");
    EXPECT_EQ(command(verbs[1].second), "write.exe \"%1\"");
    EXPECT_EQ(command(verbs[1].second).size(), 14u);
    EXPECT_EQ(command(verbs[2].second), "notepad.exe %1");
    EXPECT_EQ(command(verbs[3].second), "write.exe \"%1\"");
    EXPECT_EQ(command(verbs[4].second), "explorer.exe /e,/root,/idlist,%i");
    // The verb's own key has no default value: the shell shows its name.
    EXPECT_FALSE(Read(RootKey::ClassesRoot, verbs[4].second, ""));
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(MiscSettingsTest, RemovingAVerbDeletesCommandThenTheVerbAndNothingElse) {
    Store().WriteString(RootKey::ClassesRoot, "Directory\\shell\\find", "", "Find...");
    Store().WriteString(RootKey::ClassesRoot, "Directory\\shell\\E&xplore From Here\\command", "", "x");
    SetAndApply(M::kExploreFromHere, 0);
    EXPECT_FALSE(KeyExists(fakes_.registry, RootKey::ClassesRoot, "Directory\\shell\\E&xplore From Here"));
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::ClassesRoot, "Directory\\shell\\find"));

    // A missing verb: nothing to do, nothing created.
    const std::string before = testing::DumpRegistry(fakes_.registry);
    SetAndApply(M::kOpenWithWordpad, 0);
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);

    // A verb with another subkey beside "command" keeps its key, as NT would: the verb is still there,
    // so the row stays marked. NT says "access denied" for it, but no administrator could delete it
    // either: the failure names none. (A key the user may not change does: FaultInjectionTest.)
    Store().WriteString(RootKey::ClassesRoot, "*\\shell\\Open with Notepad\\command", "", "notepad.exe %1");
    Store().WriteString(RootKey::ClassesRoot, "*\\shell\\Open with Notepad\\ddeexec", "", "x");
    model_.check[M::kOpenWithNotepad] = 0;
    ASSERT_TRUE(model_.Touch(IDC_MISC_OPEN_WITH_NOTEPAD_BOX, notify::kButtonClicked));
    std::vector<FailedSetting> failed = ApplyAll().failed;
    EXPECT_TRUE(model_.Changed(M::kOpenWithNotepad));
    EXPECT_FALSE(KeyExists(fakes_.registry, RootKey::ClassesRoot, "*\\shell\\Open with Notepad\\command"));
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::ClassesRoot, "*\\shell\\Open with Notepad\\ddeexec"));
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].error, reg::kAccessDenied);
    EXPECT_FALSE(FailureText(failed, "Access denied.").ends_with(kAdministratorLine));
    // The same when "command" itself has a subkey.
    Store().WriteString(RootKey::ClassesRoot, "Unknown\\shell\\View With Notepad\\command\\extra", "", "x");
    model_.check[M::kViewWithNotepad] = 0;
    ASSERT_TRUE(model_.Touch(IDC_MISC_VIEW_WITH_NOTEPAD_BOX, notify::kButtonClicked));
    failed = ApplyAll().failed;
    ASSERT_EQ(failed.size(), 2u);
    EXPECT_TRUE(failed[0].ownSubkeys && failed[1].ownSubkeys);
}

TEST_F(MiscSettingsTest, TouchedRowsApplyInTheirOrderAfterOnePull) {
    model_.Load(testing::kWindows95);
    fakes_.messages.answers = {mb::kIdYes};
    // Touched out of order; the apply order is the row order.
    for (int control : {IDC_MISC_EXPLORE_FROM_HERE_BOX, IDC_MISC_NON_BLINKING_CURSOR_BOX,
                        IDC_MISC_FONT_SMOOTHING_BOX, IDC_MISC_NUMERIC_TAIL_BOX, IDC_MISC_START_BANNER_BOX}) {
        ASSERT_TRUE(model_.Touch(control, notify::kButtonClicked));
    }
    ModelPage page(model_, [&] { fakes_.journal.push_back("pull"); });
    const ApplyTarget targets[] = {{&page}};
    ApplyTouchedSettings(services_, targets);
    // The controls are taken once, before the first row: no row's apply changes a control the user set.
    const Journal expected = {"pull", "SystemParametersInfo(75, 0, null, 1)",
                              "SystemParametersInfo(75, 0, null, 2)", "Broadcast(26)",
                              "MessageBox(Velmora 99 - Important Message!)"};
    EXPECT_EQ(fakes_.journal, expected);
    for (int row = 0; row < M::kRowCount; ++row) {
        EXPECT_FALSE(model_.Changed(static_cast<M::Row>(row)));
    }

    // Nothing touched: nothing happens.
    const std::string before = testing::DumpRegistry(fakes_.registry);
    fakes_.journal.clear();
    ApplyTouchedSettings(services_, targets);
    EXPECT_TRUE(fakes_.journal.empty());
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
}

TEST_F(MiscSettingsTest, OnlyClicksOfTheFifteenBoxesCount) {
    EXPECT_FALSE(model_.Touch(IDC_MISC_CAUTION_GROUP, notify::kButtonClicked));
    EXPECT_FALSE(model_.Touch(IDC_MISC_START_BANNER_BOX, notify::kEditChange));
    EXPECT_FALSE(model_.Touch(1010, notify::kButtonClicked));
    int touched = 0;
    for (int row = 0; row < M::kRowCount; ++row) {
        touched += model_.Touch(M::ControlOf(static_cast<M::Row>(row)), notify::kButtonClicked) ? 1 : 0;
        EXPECT_TRUE(model_.Changed(static_cast<M::Row>(row)));
    }
    EXPECT_EQ(touched, 15);
}

}  // namespace
}  // namespace velmora
