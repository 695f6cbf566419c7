// Help and F1: the help files beside the program, shown by Wine's WinHelp viewer where the program is
// told it runs on a Windows before Vista, by HTML Help where it is told Windows 10, and Velmora's own
// notice where the files are missing. The main window answers within a second throughout.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness/HelpViewers.h"
#include "tests/e2e/harness/Keyboard.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"
#include "tests/e2e/harness/WindowsVersion.h"
#include "tests/e2e/harness/WineWindowing.h"

namespace velmora::e2e {
namespace {

constexpr char kViewer[] = "winhlp32.exe";
// The help file's title, which the viewer's caption shows.
constexpr char kHelpTitle[] = "Velmora 99 Help";
constexpr char kNoticeCaption[] = "Velmora 99 - Information";
// The viewer's first start in a fresh Wine server can take a while; the program must not wait for it.
constexpr Milliseconds kViewerTimeout{60000};
constexpr Milliseconds kShown = kDeadline;
// A program that waited for the viewer would not answer until the viewer closed (which the scenario never
// asks for); room for the compiled help's own start in the program's thread on a loaded machine.
constexpr Milliseconds kAnswer{10000};

// Polls `shown` until it holds, checking meanwhile that the main window answers within a second.
template <class Predicate>
testing::AssertionResult WhileAnswering(HWND main, Predicate shown, Milliseconds timeout) {
    bool answered = true;
    const bool done = WaitUntil(
        [&] {
            answered = answered && Responds(main, kAnswer);
            return shown();
        },
        timeout, Milliseconds(100));
    if (!answered) {
        return testing::AssertionFailure()
               << "the main window did not answer within " << kAnswer.count() << " ms";
    }
    return done ? testing::AssertionSuccess()
                : testing::AssertionFailure() << "not shown within " << timeout.count() << " ms";
}

bool ViewerShows(HWND viewer, const std::string& text) {
    return ViewerText(viewer).find(text) != std::string::npos;
}

// The program as it runs on Windows 98 or XP: WinHelp shows its help.
class HelpWithWinHelp : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(wine_.Ok());
        ASSERT_TRUE(viewerWindowing_.Ok());
    }

    ScopedWineVersion wine_{"winxp"};
    // The viewer's windows close at once on the bare X server, as the program's do.
    ScopedUnmanagedWindows viewerWindowing_{kViewer};
};

TEST_F(HelpWithWinHelp, HelpShowsTheContentsF1ThePageTopicAndClosingVelmoraClosesTheViewer) {
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();

    ASSERT_TRUE(PostClick(Control(main, IDC_MAIN_HELP_BUTTON)));
    HWND viewer = nullptr;
    ASSERT_TRUE(WhileAnswering(
        main, [&] { return (viewer = WaitForViewerWindow(kViewer, kHelpTitle, Milliseconds(0))) != nullptr; },
        kViewerTimeout))
        << "the viewer's windows: " << DescribeWindowsOf(kViewer);
    EXPECT_EQ(WaitForViewerWindow(kViewer, "ERROR", Milliseconds(0)), nullptr);
    ASSERT_TRUE(WhileAnswering(
        main, [&] { return ViewerShows(viewer, "Using Velmora 99"); }, kShown))
        << "the contents are not shown: \"" << ViewerText(viewer) << "\"";
    SaveScreenshot(viewer, "help-contents");

    ASSERT_NE(session.SelectPage("Desktop"), nullptr);
    ASSERT_TRUE(SendChord(main, {}, VK_F1));
    // The viewer fills the topic's title and its text one after the other: the whole topic is waited for,
    // the contents gone.
    ASSERT_TRUE(WhileAnswering(
        main,
        [&] {
            return ViewerShows(viewer, "The Desktop page") && ViewerShows(viewer, "Shortcut arrows") &&
                   !ViewerShows(viewer, "Using Velmora 99");
        },
        kShown))
        << "F1 on the Desktop page shows \"" << ViewerText(viewer)
        << "\"; the viewer's windows: " << DescribeWindowsOf(kViewer);
    SaveScreenshot(viewer, "help-desktop-topic");

    ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
    ASSERT_TRUE(session.WaitForExit());
    EXPECT_TRUE(WaitForWindowGone(viewer, kShown)) << "the viewer stays after Velmora has closed";
}

TEST_F(HelpWithWinHelp, WithoutTheHelpFileHelpSaysWhereItLookedOnce) {
    // A copy of the program in a folder of its own, without the help files beside it.
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string folder = std::string(temp) + "velmora-e2e-no-help";
    const std::string program = folder + "\\Velmora.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE));
    {
        VelmoraSession session(WindowsVersion::Windows98, program);
        ASSERT_TRUE(session.Start());
        const HWND main = session.MainWindow();

        ASSERT_TRUE(PostClick(Control(main, IDC_MAIN_HELP_BUTTON)));
        const HWND box = WaitForMessageBox(session.ProcessId(), kNoticeCaption, kShown, main);
        ASSERT_NE(box, nullptr);
        const std::string text = MessageBoxText(box);
        EXPECT_NE(text.find(folder + "\\Velmora.hlp"), std::string::npos) << text;
        EXPECT_NE(text.find("come with the program"), std::string::npos) << text;
        EXPECT_TRUE(Responds(main, kAnswer));
        EXPECT_EQ(WaitForViewerWindow(kViewer, "", Milliseconds(1000)), nullptr)
            << "a viewer was started: " << DescribeWindowsOf(kViewer);
        ASSERT_TRUE(AnswerMessageBox(box, IDOK));

        EXPECT_EQ(WaitForMessageBox(session.ProcessId(), kNoticeCaption, Milliseconds(1000)), nullptr)
            << "the notice came twice";
        EXPECT_TRUE(Responds(main, kAnswer));
        ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
        ASSERT_TRUE(session.WaitForExit());
    }
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

// The program as it runs on Windows 10, which has no WinHelp: HTML Help shows Velmora.chm.
TEST(HelpWithHtmlHelp, OnWindows10HelpOpensTheCompiledHtmlHelpNotWinHelp) {
    ScopedWineVersion wine("win10");
    ASSERT_TRUE(wine.Ok());
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();

    ASSERT_TRUE(PostClick(Control(main, IDC_MAIN_HELP_BUTTON)));
    HWND viewer = nullptr;
    ASSERT_TRUE(WhileAnswering(
        main, [&] { return (viewer = HtmlHelpWindowOf(session.ProcessId())) != nullptr; }, kShown))
        << "no HTML Help window in the program";
    EXPECT_NE(CaptionOf(viewer).find(kHelpTitle), std::string::npos) << CaptionOf(viewer);
    SaveScreenshot(viewer, "help-html-contents");
    EXPECT_EQ(WaitForViewerWindow(kViewer, "", Milliseconds(1000)), nullptr)
        << "WinHelp was asked: " << DescribeWindowsOf(kViewer);

    ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
    ASSERT_TRUE(session.WaitForExit());
}

}  // namespace
}  // namespace velmora::e2e
