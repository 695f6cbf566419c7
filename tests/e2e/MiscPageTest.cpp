// The Miscellaneous page in the running program: the numeric-tail question refused at apply time, a
// shell verb added and removed through Apply, and the two display boxes that depend on the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness/FamilyMatrix.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kPageTitle[] = "Miscellaneous";
constexpr char kFileSystem[] = "System\\CurrentControlSet\\control\\FileSystem";
constexpr char kExploreVerb[] = "Directory\\shell\\E&xplore From Here";

TEST(MiscPage, NoToTheNumericTailQuestionRestoresTheBoxWritesNothingAndOkOffersNoRestart) {
    ScopedRegistryValue tail(RootKey::LocalMachine, kFileSystem, "NameNumericTail");
    ASSERT_TRUE(tail.Remove());
    VelmoraSession session(WindowsVersion::Windows98);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = session.SelectPage(kPageTitle);
    ASSERT_NE(page, nullptr);
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
    const HWND box = Control(page, IDC_MISC_NUMERIC_TAIL_BOX);
    ASSERT_TRUE(IsChecked(box)) << "an absent value shows the box checked";
    ASSERT_FALSE(IsEnabled(apply));
    EXPECT_EQ(TextOf(Control(page, IDC_MISC_CAUTION_GROUP)), "Use this with caution!");

    // The click asks nothing; the question comes with Apply.
    ASSERT_TRUE(Click(box));
    EXPECT_FALSE(IsChecked(box));
    EXPECT_TRUE(IsEnabled(apply));
    SaveScreenshot(main, "misc-numeric-tail-unchecked");
    ASSERT_TRUE(PostClick(apply));
    const HWND question =
        WaitForMessageBox(session.ProcessId(), "Velmora 99 - Important Message!", kDeadline);
    ASSERT_NE(question, nullptr) << "no question at apply time";
    EXPECT_EQ(MessageBoxText(question),
              "You're about to change a System setting. Are you sure you want to continue?");
    EXPECT_TRUE(HasButton(question, IDYES));
    EXPECT_TRUE(HasButton(question, IDNO));
    SaveScreenshot(question, "misc-numeric-tail-question");
    ASSERT_TRUE(AnswerMessageBox(question, IDNO));
    ASSERT_TRUE(Responds(main));

    EXPECT_TRUE(IsChecked(box)) << "the box shows the stored state again";
    EXPECT_FALSE(IsEnabled(apply));
    EXPECT_TRUE(RegistryUnchangedSince(before));

    // Nothing needing a restart was applied: OK closes without asking.
    ASSERT_TRUE(PostClick(Control(main, IDOK)));
    EXPECT_TRUE(session.WaitForExit());
    EXPECT_TRUE(RegistryUnchangedSince(before));
}

TEST(MiscPage, ExploreFromHereIsAddedAndRemovedThroughApply) {
    const RegistrySnapshot verbs = RegistrySnapshot::Take({{RootKey::ClassesRoot, "Directory\\shell"}});
    ASSERT_TRUE(RemoveKeyTree(RootKey::ClassesRoot, kExploreVerb));
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = session.SelectPage(kPageTitle);
    ASSERT_NE(page, nullptr);
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
    const HWND box = Control(page, IDC_MISC_EXPLORE_FROM_HERE_BOX);
    ASSERT_FALSE(IsChecked(box));

    ASSERT_TRUE(Click(box));
    ASSERT_TRUE(Click(apply));
    EXPECT_FALSE(IsEnabled(apply));
    EXPECT_EQ(ReadRawValue(RootKey::ClassesRoot, std::string(kExploreVerb) + "\\command", ""),
              RegistryValue::String("explorer.exe /e,/root,/idlist,%i"));
    EXPECT_EQ(ReadRawValue(RootKey::ClassesRoot, kExploreVerb, ""), std::nullopt);

    ASSERT_TRUE(Click(box));
    ASSERT_TRUE(Click(apply));
    EXPECT_FALSE(KeyPresent(RootKey::ClassesRoot, kExploreVerb));
    if (!KeyPresent(RootKey::ClassesRoot, kExploreVerb)) {
        NoteShown(session.Version(), "applied", "Miscellaneous");
    }

    // Verbs need no restart.
    ASSERT_TRUE(PostClick(Control(main, IDOK)));
    EXPECT_TRUE(session.WaitForExit());
    verbs.Restore();
}

class DragAndSmoothing : public testing::TestWithParam<WindowsVersion> {};

// Wine reports no Windows extensions: on 9x the two boxes stay disabled and unread; NT always has them.
TEST_P(DragAndSmoothing, AreEnabledOnlyWhereTheSystemHasThem) {
    VelmoraSession session(GetParam());
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = session.SelectPage(kPageTitle);
    ASSERT_NE(page, nullptr);
    const bool nt = GetParam() == WindowsVersion::Nt;
    for (int id : {IDC_MISC_DRAG_FULL_WINDOWS_BOX, IDC_MISC_FONT_SMOOTHING_BOX}) {
        EXPECT_EQ(IsEnabled(Control(page, id)), nt) << id;
        if (!nt) {
            EXPECT_FALSE(IsChecked(Control(page, id))) << id;
        }
    }
    EXPECT_NE(SaveScreenshot(main, "misc-page-" + ToString(GetParam())).path, "");
    ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
    EXPECT_TRUE(session.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(, DragAndSmoothing, testing::Values(WindowsVersion::Nt, WindowsVersion::Windows95),
                         [](const auto& info) { return ToString(info.param); });

}  // namespace
}  // namespace velmora::e2e
