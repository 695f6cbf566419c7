// Every tab of the sheet can be selected and brings up a page of its own, whose captions all fit their
// controls; a bitmap of each page is saved for a look.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>

#include "tests/e2e/ExpectedPages.h"
#include "tests/e2e/harness/CaptionFit.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

// "page-Nt-07-Wallpaper-Util": sortable and free of characters a file name cannot hold.
std::string PageShotName(WindowsVersion version, int index, const std::string& title) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d", index + 1);
    std::string name = "page-" + ToString(version) + "-" + number + "-";
    for (const char c : title) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        } else if (name.back() != '-') {
            name += '-';
        }
    }
    while (name.back() == '-') {
        name.pop_back();
    }
    return name;
}

// Template 102.
constexpr int kMainWindowWidthInDialogUnits = 322;

class TabSwitching : public testing::TestWithParam<WindowsVersion> {};

TEST_P(TabSwitching, EveryTabShowsAPageOfItsOwnWithCaptionsThatFit) {
    VelmoraSession session(GetParam());
    ASSERT_TRUE(session.Start());
    const HWND sheetWindow = HostedSheet::Find(session.MainWindow());
    ASSERT_NE(sheetWindow, nullptr) << "no property sheet in the main window";
    HostedSheet sheet(sheetWindow);
    const std::vector<std::string> titles = sheet.TabTitles();
    ASSERT_EQ(titles, ExpectedTabTitles(GetParam()));
    const HWND firstPage = sheet.CurrentPage();

    std::set<HWND> pages;
    for (int i = 0; i < static_cast<int>(titles.size()); ++i) {
        const HWND previous = sheet.CurrentPage();
        ASSERT_TRUE(sheet.Select(i)) << "could not change to " << titles[i];
        const HWND page = sheet.CurrentPage();
        EXPECT_EQ(GetParent(page), sheetWindow) << titles[i];
        EXPECT_TRUE(IsVisible(page)) << titles[i];
        if (previous != page) {
            EXPECT_FALSE(IsVisible(previous)) << "the page before " << titles[i] << " still shows";
        }
        pages.insert(page);
        EXPECT_TRUE(CaptionsFit(page)) << titles[i];
        EXPECT_NE(SaveScreenshot(session.MainWindow(), PageShotName(GetParam(), i, titles[i])).path, "");
    }
    EXPECT_EQ(pages.size(), titles.size()) << "some tabs share a page";
    EXPECT_TRUE(CaptionsFit(session.MainWindow()));
    EXPECT_TRUE(LaidOutInTheFontItNames(session.MainWindow(), kMainWindowWidthInDialogUnits));

    EXPECT_EQ(sheet.SelectPage("Start Menu"), firstPage);
    EXPECT_EQ(sheet.CurrentIndex(), 0);
}

INSTANTIATE_TEST_SUITE_P(, TabSwitching, testing::Values(WindowsVersion::Nt, WindowsVersion::Windows98),
                         [](const auto& info) { return ToString(info.param); });

}  // namespace
}  // namespace velmora::e2e
