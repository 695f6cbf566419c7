// The window on a screen of more than 96 DPI. The program declares itself DPI-aware, so Windows draws it
// at the screen's DPI instead of stretching a 96-DPI picture: every page of both families keeps its
// captions inside their controls, the dialogs are laid out in the font they name, the icon buttons show
// their icons at the system's icon size, and a screenshot of every page is saved for a human to look at.
// ctest e2e_dpi144_wine and e2e_dpi192_wine run it in copies of the prefix whose LogPixels was set before
// their wine server started (Wine reads it then); VELMORA_E2E_DPI names that DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/IconButtonLayout.h"
#include "res/resource.h"
#include "tests/e2e/harness/CaptionFit.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr int kMainWidthInDialogUnits = 322;  // IDD_MAIN
// The OK button's green tick has ink in 28 columns of its 32-pixel map (res/icons/src/176_ok.txt), from
// column 2 on.
constexpr int kTickColumnsAt32 = 28;
constexpr int kTickFirstColumnAt32 = 2;

int AskedDpi() {
    const char* dpi = std::getenv("VELMORA_E2E_DPI");
    return dpi != nullptr ? std::atoi(dpi) : 0;
}

// The driver measures in the program's pixels, so it is DPI-aware as the program is. The call exists from
// Windows Vista on.
void BecomeDpiAware() {
    using Function = BOOL(WINAPI*)();
    const auto aware = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")));
    ASSERT_NE(aware, nullptr);
    aware();
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string ShotName(int dpi, const std::string& family, const std::string& title) {
    std::string name = "dpi" + std::to_string(dpi) + "-" + family + "-" + title;
    for (char& c : name) {
        c = (c == '/' || c == ' ' || c == '.') ? '-' : c;
    }
    while (name.back() == '-') {
        name.pop_back();
    }
    return name;
}

// The OK button's icon at the system's size: the tick's ink as wide as its map's ink grown to that size
// (a pixel either way for the stretching), starting one margin and the map's blank columns in.
void ExpectTheSystemsIconSize(HWND main, int dpi) {
    const int icon = GetSystemMetrics(SM_CXICON);
    EXPECT_GT(icon, 32) << "the system's icon size does not follow the screen's " << dpi << " DPI";
    // Away from the buttons, so that none shows its hot frame.
    SetCursorPos(0, 0);
    const HWND ok = Control(main, IDOK);
    RECT part{};
    GetClientRect(ok, &part);
    const int margin = iconbutton::ScaleForDpi(3, dpi);
    part.right = part.left + margin + icon;
    const RECT ink = DrawnExtent(ok, part, GetSysColor(COLOR_BTNFACE));
    const int expectedWidth = kTickColumnsAt32 * icon / 32;
    EXPECT_NEAR(ink.right - ink.left, expectedWidth, 2) << "icon size " << icon << ", ink " << ToString(ink);
    EXPECT_NEAR(ink.left, margin + kTickFirstColumnAt32 * icon / 32, 2) << ToString(ink);
}

void CheckEveryPage(WindowsVersion family, const std::string& familyName, int dpi) {
    SCOPED_TRACE(familyName);
    VelmoraSession session(family);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    EXPECT_TRUE(LaidOutInTheFontItNames(main, kMainWidthInDialogUnits));
    ExpectTheSystemsIconSize(main, dpi);
    HostedSheet sheet(HostedSheet::Find(main));
    const std::vector<std::string> titles = sheet.TabTitles();
    EXPECT_GE(titles.size(), 10u);
    for (const std::string& title : titles) {
        SCOPED_TRACE(title);
        const HWND page = sheet.SelectPage(title);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(CaptionsFit(page));
        EXPECT_FALSE(SaveScreenshot(main, ShotName(dpi, familyName, title)).path.empty());
    }
}

TEST(HighDpi, EveryPageFitsItsCaptionsAndTheIconButtonsShowTheSystemsIconSize) {
    const int dpi = AskedDpi();
    if (dpi == 0) {
        GTEST_SKIP() << "VELMORA_E2E_DPI is not set: ctest e2e_dpi144_wine and e2e_dpi192_wine run this";
    }
    BecomeDpiAware();
    ASSERT_EQ(ScreenDpi(), dpi) << "the prefix's LogPixels did not reach the wine server";
    CheckEveryPage(WindowsVersion::Windows98, "Windows98", dpi);
    CheckEveryPage(WindowsVersion::Nt, "WindowsNt", dpi);
}

}  // namespace
}  // namespace velmora::e2e
