#include "controls/IconButtonLayout.h"

#include <gtest/gtest.h>

namespace velmora::iconbutton {
namespace {

// Buttons away from the origin, so that a left or top edge forgotten in a sum shows.
constexpr Rect kButton{10, 20, 110, 60};  // 100 x 40
constexpr Size kIcon{32, 32};

ContentLayout LayOut(const Rect& item, bool hasCaption, bool pressed = false, Size icon = kIcon) {
    return LayOutContent({item, true, icon, hasCaption, pressed});
}

TEST(IconButtonContent, IconSitsThreePixelsInAndCaptionIsCentredInTheRest) {
    const ContentLayout layout = LayOut(kButton, true);
    ASSERT_TRUE(layout.drawIcon);
    EXPECT_EQ(layout.icon.left, 13);
    EXPECT_EQ(layout.icon.top, 24);
    // The extent handed over with the corner runs to the button's far edges.
    EXPECT_EQ(layout.icon.right, 110);
    EXPECT_EQ(layout.icon.bottom, 60);
    EXPECT_EQ(layout.caption, (Rect{45, 20, 110, 60}));

    // A 41 x 13 caption in the 65 x 40 that is left: 12 px from the icon's side, 13 from the top.
    EXPECT_EQ(CentreText(layout.caption, {41, 13}), (Rect{57, 33, 98, 46}));
}

// At the common scalings the icon comes at the system's size (48 px at 144 DPI, 64 at 192) and the margin
// around it grows with the screen; the caption takes what is left.
TEST(IconButtonContent, MarginsFollowTheScreensDpi) {
    const struct {
        int dpi;
        int iconSize;
        int margin;
    } cases[] = {{96, 32, 3}, {120, 40, 4}, {144, 48, 5}, {168, 56, 5}, {192, 64, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const Rect item{10, 20, 10 + 4 * c.iconSize, 20 + c.iconSize + 8};
        ContentInput input{item, true, {c.iconSize, c.iconSize}, true, false};
        input.dpi = c.dpi;
        const ContentLayout layout = LayOutContent(input);
        EXPECT_EQ(layout.icon.left, item.left + c.margin);
        EXPECT_EQ(layout.icon.top, item.top + 4);
        EXPECT_EQ(layout.caption,
                  (Rect{item.left + c.iconSize + c.margin, item.top, item.right, item.bottom}));
        EXPECT_EQ(ScaleForDpi(32, c.dpi), c.iconSize);
    }
    // Rounded to the nearest pixel, halves away from zero, as MulDiv does; large values do not overflow.
    EXPECT_EQ(ScaleForDpi(1, 144), 2);
    EXPECT_EQ(ScaleForDpi(-3, 144), -5);
    EXPECT_EQ(ScaleForDpi(0x1000000, 480), 0x5000000);
}

TEST(IconButtonContent, EmptyCaptionCentresTheIcon) {
    const ContentLayout layout = LayOut(kButton, false);
    ASSERT_TRUE(layout.drawIcon);
    EXPECT_EQ(layout.icon.left, 44);
    EXPECT_EQ(layout.icon.top, 24);
    EXPECT_EQ(layout.caption, kButton);
}

TEST(IconButtonContent, WithoutAnIconTheCaptionTakesTheWholeButton) {
    const ContentLayout layout = LayOutContent({kButton, false, kIcon, true, false});
    EXPECT_FALSE(layout.drawIcon);
    EXPECT_EQ(layout.caption, kButton);
    EXPECT_EQ(CentreText(layout.caption, {40, 13}), (Rect{40, 33, 80, 46}));
}

TEST(IconButtonContent, PressedShiftsIconAndCaptionOnePixelRightAndDown) {
    const ContentLayout up = LayOut(kButton, true);
    const ContentLayout down = LayOut(kButton, true, true);
    EXPECT_EQ(down.icon.left, up.icon.left + 1);
    EXPECT_EQ(down.icon.top, up.icon.top + 1);
    EXPECT_EQ(down.icon.Width(), up.icon.Width());
    EXPECT_EQ(down.icon.Height(), up.icon.Height());
    EXPECT_EQ(down.caption, (Rect{46, 21, 111, 61}));
    EXPECT_EQ(CentreText(down.caption, {41, 13}), (Rect{58, 34, 99, 47}));

    // Also without a caption, and without an icon.
    const ContentLayout iconOnly = LayOut(kButton, false, true);
    EXPECT_EQ(iconOnly.icon.left, 45);
    EXPECT_EQ(iconOnly.icon.top, 25);
    const ContentLayout captionOnly = LayOutContent({kButton, false, kIcon, true, true});
    EXPECT_EQ(captionOnly.caption, (Rect{11, 21, 111, 61}));
}

TEST(IconButtonContent, OddSizesRoundTheCentringDown) {
    // 81 x 41: 49 and 9 spare pixels.
    const Rect odd{0, 0, 81, 41};
    EXPECT_EQ(LayOut(odd, false).icon.left, 24);
    EXPECT_EQ(LayOut(odd, false).icon.top, 4);
    // Caption space 46 wide (35..81) for a 19 x 13 text: 27 and 28 spare.
    const ContentLayout withCaption = LayOut(odd, true);
    EXPECT_EQ(CentreText(withCaption.caption, {19, 13}), (Rect{48, 14, 67, 27}));
    // An icon of odd size in an even button.
    const ContentLayout oddIcon = LayOut({0, 0, 80, 40}, false, false, {31, 15});
    EXPECT_EQ(oddIcon.icon.left, 24);
    EXPECT_EQ(oddIcon.icon.top, 12);
}

TEST(IconButtonContent, IconLargerThanTheButtonStandsOutEvenlyTruncatingTowardZero) {
    // 21 x 23 button, 32 x 32 icon: -11 / 2 and -9 / 2 are -5 and -4, not -6 and -5.
    const Rect small{100, 200, 121, 223};
    const ContentLayout centred = LayOut(small, false);
    EXPECT_EQ(centred.icon.left, 95);
    EXPECT_EQ(centred.icon.top, 196);
    const ContentLayout withCaption = LayOut(small, true);
    EXPECT_EQ(withCaption.icon.left, 103);
    EXPECT_EQ(withCaption.icon.top, 196);
    // The caption's space starts beyond the button's right edge.
    EXPECT_EQ(withCaption.caption.left, 135);
    EXPECT_EQ(withCaption.caption.Width(), -14);
}

TEST(IconButtonContent, TextWiderOrTallerThanItsSpaceStandsOutEvenly) {
    const Rect space{50, 10, 60, 20};  // 10 x 10
    // 17 x 13: -7 / 2 and -3 / 2 are -3 and -1.
    EXPECT_EQ(CentreText(space, {17, 13}), (Rect{47, 9, 64, 22}));
    EXPECT_EQ(CentreText(space, {10, 10}), space);
}

TEST(IconButtonFrame, PressedSinksHotRaisesOtherwiseFlat) {
    EXPECT_EQ(ChooseFrame(true, false, false), FrameLook::None);
    EXPECT_EQ(ChooseFrame(true, true, false), FrameLook::Raised);
    EXPECT_EQ(ChooseFrame(true, false, true), FrameLook::Sunken);
    EXPECT_EQ(ChooseFrame(true, true, true), FrameLook::Sunken);
    EXPECT_EQ(ChooseFrame(false, true, true), FrameLook::None);

    EXPECT_FALSE(IsActive(false, false));
    EXPECT_TRUE(IsActive(true, false));
    EXPECT_TRUE(IsActive(false, true));
}

TEST(IconButtonFrame, TwoLShapedStrokesAlongTheEdges) {
    const Frame raised = LayOutFrame(kButton, FrameLook::Raised);
    // Up the left edge from the last row, then along the top to the right edge (left out).
    EXPECT_EQ(raised.topLeft.start, (Point{10, 59}));
    EXPECT_EQ(raised.topLeft.corner, (Point{10, 20}));
    EXPECT_EQ(raised.topLeft.end, (Point{110, 20}));
    // Along the last row to the last column, then up it to the row above the top (left out).
    EXPECT_EQ(raised.bottomRight.start, (Point{10, 59}));
    EXPECT_EQ(raised.bottomRight.corner, (Point{109, 59}));
    EXPECT_EQ(raised.bottomRight.end, (Point{109, 19}));

    EXPECT_EQ(raised.topLeft.colour, SystemColour::ButtonHighlight);
    EXPECT_EQ(raised.bottomRight.colour, SystemColour::ButtonShadow);
    const Frame sunken = LayOutFrame(kButton, FrameLook::Sunken);
    EXPECT_EQ(sunken.topLeft.colour, SystemColour::ButtonShadow);
    EXPECT_EQ(sunken.bottomRight.colour, SystemColour::ButtonHighlight);
    EXPECT_EQ(static_cast<int>(SystemColour::ButtonShadow), 16);
    EXPECT_EQ(static_cast<int>(SystemColour::ButtonHighlight), 20);
}

// A button and the mouse capture, driven through the responses the way the window code applies them.
class IconButtonHotTracking : public ::testing::Test {
  protected:
    void Apply(const HotResponse& response) {
        hot_ = response.hot;
        if (response.takeCapture) {
            capture_ = true;
        }
        if (response.releaseCapture) {
            capture_ = false;
        }
        repaints_ += response.repaint ? 1 : 0;
    }
    void Move(bool inside, bool leftDown, bool flat = true) {
        if (!inside && !capture_) {
            return;  // the move goes to the window under the pointer
        }
        Apply(OnMouseMove({flat, hot_, capture_, leftDown, inside}));
    }
    // Someone else (the standard press handling, another window) ends the button's capture.
    void LoseCapture() {
        capture_ = false;
        Apply(OnCaptureChanged(hot_, false));
    }
    // The standard press handling takes the capture, which the hot button already holds.
    void Press() {
        capture_ = true;
        Apply(OnCaptureChanged(hot_, true));
    }

    bool hot_ = false;
    bool capture_ = false;
    int repaints_ = 0;
};

TEST_F(IconButtonHotTracking, MovingOnTakesTheCaptureAndMovingOffGivesItBack) {
    Move(true, false);
    EXPECT_TRUE(hot_);
    EXPECT_TRUE(capture_);
    EXPECT_EQ(repaints_, 1);
    Move(true, false);  // further moves inside change nothing
    EXPECT_TRUE(hot_);
    EXPECT_TRUE(capture_);
    EXPECT_EQ(repaints_, 1);
    Move(false, false);
    EXPECT_FALSE(hot_);
    EXPECT_FALSE(capture_);
    EXPECT_EQ(repaints_, 2);
}

TEST_F(IconButtonHotTracking, DraggingInWithTheLeftButtonHeldStaysFlatUntilReleased) {
    Move(true, true);
    Move(true, true);
    EXPECT_FALSE(hot_);
    EXPECT_FALSE(capture_);
    EXPECT_EQ(repaints_, 0);
    Move(true, false);
    EXPECT_TRUE(hot_);
    EXPECT_TRUE(capture_);
}

TEST_F(IconButtonHotTracking, DraggingOffAPressedButtonClearsTheLookButKeepsTheCapture) {
    Move(true, false);
    Press();
    EXPECT_TRUE(hot_);
    EXPECT_TRUE(capture_);
    EXPECT_EQ(repaints_, 1);
    Move(true, true);  // pressed: still hot, capture kept
    EXPECT_TRUE(hot_);
    Move(false, true);
    EXPECT_FALSE(hot_);
    EXPECT_TRUE(capture_);
    EXPECT_EQ(repaints_, 2);
    Move(false, true);  // still dragging outside: nothing more
    EXPECT_TRUE(capture_);
    EXPECT_EQ(repaints_, 2);
    Move(false, false);  // released outside
    EXPECT_FALSE(capture_);
    EXPECT_FALSE(hot_);
}

TEST_F(IconButtonHotTracking, AfterAClickTheButtonStaysHotAndRetakesTheCapture) {
    Move(true, false);
    LoseCapture();  // the button's own release at the end of a click
    EXPECT_TRUE(hot_);
    EXPECT_FALSE(capture_);
    EXPECT_EQ(repaints_, 2);
    Move(true, false);
    EXPECT_TRUE(hot_);
    EXPECT_TRUE(capture_);
    Move(false, false);
    EXPECT_FALSE(hot_);
    EXPECT_FALSE(capture_);
}

TEST_F(IconButtonHotTracking, HeldLeftButtonDoesNotStopAHotButtonRetakingTheCapture) {
    Move(true, false);
    LoseCapture();
    Move(true, true);
    EXPECT_TRUE(hot_);
    EXPECT_TRUE(capture_);
}

TEST_F(IconButtonHotTracking, PressingAndLeavingAtOnceStillEndsThePress) {
    // The first move after the press may already be outside: the button must still hold the capture
    // to see it and the release.
    Move(true, false);
    Press();
    Move(false, true);
    EXPECT_FALSE(hot_);
    EXPECT_TRUE(capture_);
    Move(false, false);
    EXPECT_FALSE(capture_);
}

TEST_F(IconButtonHotTracking, LosingTheFocusClearsTheHotLook) {
    Move(true, false);
    Apply(OnKillFocus(hot_));
    EXPECT_FALSE(hot_);
    EXPECT_EQ(repaints_, 2);
    // A button that is not hot is not repainted.
    Apply(OnKillFocus(hot_));
    EXPECT_EQ(repaints_, 2);
}

TEST_F(IconButtonHotTracking, CaptureChangeOfAFlatLookingButtonDoesNothing) {
    const HotResponse response = OnCaptureChanged(false, false);
    EXPECT_FALSE(response.hot);
    EXPECT_FALSE(response.releaseCapture);
    EXPECT_FALSE(response.repaint);
}

TEST_F(IconButtonHotTracking, ButtonsThatAreNotFlatNeverTrack) {
    Move(true, false, false);
    EXPECT_FALSE(hot_);
    EXPECT_FALSE(capture_);
    EXPECT_EQ(repaints_, 0);
}

}  // namespace
}  // namespace velmora::iconbutton
