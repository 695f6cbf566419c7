// The main window as it stands after start-up, on Windows NT and on Windows 98. Each suite starts the
// program once and only looks: nothing here changes the window's state.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "res/resource.h"
#include "tests/e2e/ExpectedPages.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

template <WindowsVersion V>
struct On {
    static constexpr WindowsVersion kVersion = V;
};

struct VersionName {
    template <class T>
    static std::string GetName(int) {
        return ToString(T::kVersion);
    }
};

template <class T>
class MainWindow : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        session_ = std::make_unique<VelmoraSession>(T::kVersion);
        const testing::AssertionResult started = session_->Start();
        startFailure_ = started ? "" : started.message();
    }
    static void TearDownTestSuite() { session_.reset(); }

    void SetUp() override {
        ASSERT_EQ(startFailure_, "");
        ASSERT_TRUE(session_->Program().Running()) << "the program ended during the suite";
    }

    static HWND Main() { return session_->MainWindow(); }
    static WindowsVersion Version() { return T::kVersion; }

    static inline std::unique_ptr<VelmoraSession> session_;
    static inline std::string startFailure_;
};

using Versions = testing::Types<On<WindowsVersion::Nt>, On<WindowsVersion::Windows98>>;
TYPED_TEST_SUITE(MainWindow, Versions, VersionName);

TYPED_TEST(MainWindow, ShowsItsFourButtons) {
    const HWND main = this->Main();
    EXPECT_EQ(CaptionOf(main), kMainWindowCaption);
    EXPECT_NE(ExtendedStyle(main) & WS_EX_APPWINDOW, 0) << "not on the taskbar";
    for (const int id : {IDOK, IDCANCEL, IDC_MAIN_APPLY_BUTTON, IDC_MAIN_HELP_BUTTON}) {
        const HWND button = Control(main, id);
        ASSERT_NE(button, nullptr) << "button " << id;
        EXPECT_TRUE(IsVisible(button)) << "button " << id;
    }
    EXPECT_EQ(TextOf(Control(main, IDOK)), "&OK");
    EXPECT_EQ(TextOf(Control(main, IDCANCEL)), "&Cancel");
    EXPECT_EQ(TextOf(Control(main, IDC_MAIN_APPLY_BUTTON)), "&Apply");
    EXPECT_EQ(TextOf(Control(main, IDC_MAIN_HELP_BUTTON)), "&Help");
    EXPECT_NE(Control(main, IDC_MAIN_FRAME), nullptr);
}

TYPED_TEST(MainWindow, SavesAScreenshot) {
    const std::string name = "main-window-" + ToString(this->Version());
    const Screenshot shot = SaveScreenshot(this->Main(), name);
    ASSERT_NE(shot.path, "") << "nothing saved for " << name;
    const RECT rect = ScreenRect(this->Main());
    EXPECT_EQ(shot.width, rect.right - rect.left);
    EXPECT_EQ(shot.height, rect.bottom - rect.top);
    // A capture of a painted dialog has text, edges and a face colour; a failed copy is one flat colour.
    EXPECT_GT(shot.distinctColours, 2) << shot.path;
}

TYPED_TEST(MainWindow, ShowsTheTabsOfItsPagesInOrder) {
    const HWND sheetWindow = HostedSheet::Find(this->Main());
    ASSERT_NE(sheetWindow, nullptr) << "no property sheet in the main window";
    EXPECT_EQ(HostedSheet(sheetWindow).TabTitles(), ExpectedTabTitles(this->Version()));
}

TYPED_TEST(MainWindow, StartsOnTheStartMenuTabWithApplyDisabled) {
    const HWND sheetWindow = HostedSheet::Find(this->Main());
    ASSERT_NE(sheetWindow, nullptr) << "no property sheet in the main window";
    const HostedSheet sheet(sheetWindow);
    EXPECT_EQ(sheet.CurrentIndex(), 0);
    const HWND page = sheet.CurrentPage();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsVisible(page));
    // Every page was activated once during start-up; only the first one may be showing.
    for (HWND child = GetWindow(sheetWindow, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != page && ClassNameOf(child) == "#32770") {
            EXPECT_FALSE(IsVisible(child)) << "another page is showing: " << CaptionOf(child);
        }
    }
    EXPECT_FALSE(IsEnabled(Control(this->Main(), IDC_MAIN_APPLY_BUTTON)));
    EXPECT_TRUE(IsEnabled(Control(this->Main(), IDOK)));
    EXPECT_TRUE(IsEnabled(Control(this->Main(), IDCANCEL)));
}

TYPED_TEST(MainWindow, SheetCoversTheFrameWithTheButtonsBelow) {
    const HWND main = this->Main();
    const HWND sheetWindow = HostedSheet::Find(main);
    ASSERT_NE(sheetWindow, nullptr) << "no property sheet in the main window";
    const HWND frame = Control(main, IDC_MAIN_FRAME);
    ASSERT_NE(frame, nullptr);
    const RECT sheetRect = RectIn(sheetWindow, main);
    EXPECT_EQ(ToString(sheetRect), ToString(RectIn(frame, main)));
    EXPECT_TRUE(IsVisible(sheetWindow));
    EXPECT_EQ(Style(HostedSheet(sheetWindow).TabControl()) & TCS_MULTILINE, 0) << "tabs are stacked";
    for (const int id : {IDOK, IDCANCEL, IDC_MAIN_APPLY_BUTTON, IDC_MAIN_HELP_BUTTON}) {
        const HWND button = Control(main, id);
        ASSERT_NE(button, nullptr) << "button " << id;
        EXPECT_TRUE(IsVisible(button)) << "button " << id;
        EXPECT_GE(RectIn(button, main).top, sheetRect.bottom) << "button " << id << " overlaps the sheet";
    }
}

}  // namespace
}  // namespace velmora::e2e
