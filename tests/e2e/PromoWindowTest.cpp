// The promotional window: up before the main window, not closable by the user, gone without any user
// action once the main window shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

TEST(PromoWindow, ShowsBeforeTheMainWindowAndGoesOnceItShows) {
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Launch());
    // Watch for both: the promotional window must come first, so stop as soon as either shows.
    const WindowQuery promoQuery{session.ProcessId(), kPromoWindowCaption, "#32770", nullptr, true};
    const WindowQuery mainQuery{session.ProcessId(), kMainWindowCaption, "#32770", nullptr, true};
    HWND promo = nullptr;
    HWND main = nullptr;
    WaitUntil(
        [&] {
            promo = FindTopLevelWindow(promoQuery);
            main = FindTopLevelWindow(mainQuery);
            return promo != nullptr || main != nullptr;
        },
        kStartTimeout);
    ASSERT_NE(promo, nullptr) << "no promotional window"
                              << (main != nullptr ? " before the main window showed" : "");
    EXPECT_EQ(main, nullptr) << "the main window showed together with the promotional window";

    EXPECT_EQ(Style(promo) & WS_SYSMENU, 0) << "the promotional window has a system menu (and a close box)";
    EXPECT_EQ(Style(promo) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(GetWindow(promo, GW_OWNER), nullptr);
    // Having no owner, it is centred on the work area.
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const RECT rect = ScreenRect(promo);
    EXPECT_LE(std::abs((rect.left + rect.right) - (work.left + work.right)), 2) << ToString(rect);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (work.top + work.bottom)), 2) << ToString(rect);

    ASSERT_TRUE(session.WaitForMainWindow());
    EXPECT_TRUE(WaitForWindowGone(promo, kDeadline)) << "the promotional window stays";
}

}  // namespace
}  // namespace velmora::e2e
