#include "controls/IconButtonLayout.h"

namespace velmora::iconbutton {

namespace {

// Between the button's left edge and the icon, and between the icon and the caption's space, at 100 %.
constexpr int kIconMargin = 3;

}  // namespace

void Rect::Offset(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

int ScaleForDpi(int pixelsAt96, int dpi) {
    const long long scaled = static_cast<long long>(pixelsAt96) * dpi;
    const long long half = kDefaultDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDefaultDpi : (scaled - half) / kDefaultDpi);
}

bool IsActive(bool hot, bool pressed) {
    return hot || pressed;
}

FrameLook ChooseFrame(bool drawBorder, bool hot, bool pressed) {
    if (!drawBorder) {
        return FrameLook::None;
    }
    if (pressed) {
        return FrameLook::Sunken;
    }
    return hot ? FrameLook::Raised : FrameLook::None;
}

Frame LayOutFrame(const Rect& item, FrameLook look) {
    Frame frame;
    frame.look = look;
    frame.topLeft = {{item.left, item.bottom - 1}, {item.left, item.top}, {item.right, item.top}};
    frame.bottomRight = {
        {item.left, item.bottom - 1}, {item.right - 1, item.bottom - 1}, {item.right - 1, item.top - 1}};
    const bool sunken = look == FrameLook::Sunken;
    frame.topLeft.colour = sunken ? SystemColour::ButtonShadow : SystemColour::ButtonHighlight;
    frame.bottomRight.colour = sunken ? SystemColour::ButtonHighlight : SystemColour::ButtonShadow;
    return frame;
}

ContentLayout LayOutContent(const ContentInput& input) {
    const Rect& item = input.item;
    ContentLayout layout;
    layout.caption = item;
    layout.drawIcon = input.hasIcon;
    if (input.hasIcon) {
        Rect& icon = layout.icon;
        icon = item;
        // Integer division truncates toward zero, also when the icon is larger than the button.
        const int margin = ScaleForDpi(kIconMargin, input.dpi);
        if (input.hasCaption) {
            icon.left = item.left + margin;
            layout.caption.left = item.left + input.icon.width + margin;
        } else {
            icon.left = item.left + (item.Width() - input.icon.width) / 2;
        }
        icon.top = item.top + (item.Height() - input.icon.height) / 2;
        if (input.pressed) {
            icon.Offset(1, 1);
        }
    }
    if (input.pressed) {
        layout.caption.Offset(1, 1);
    }
    return layout;
}

Rect CentreText(const Rect& space, Size text) {
    Rect placed{space.left, space.top, space.left + text.width, space.top + text.height};
    placed.Offset((space.Width() - text.width) / 2, (space.Height() - text.height) / 2);
    return placed;
}

HotResponse OnMouseMove(const MouseMove& move) {
    HotResponse response;
    response.hot = move.hot;
    if (!move.flat) {
        return response;
    }
    // Dragging into the button with the left button held does not make it hot.
    if (move.leftButtonDown && !move.hot) {
        return response;
    }
    if (!move.holdsCapture) {
        // Holding the capture lets the button see the move that leaves it.
        response.hot = true;
        response.takeCapture = true;
        response.repaint = true;
        return response;
    }
    if (!move.pointerInside) {
        if (move.hot) {
            response.hot = false;
            response.repaint = true;
        }
        // While the left button is held the standard press handling needs the capture.
        response.releaseCapture = !move.leftButtonDown;
    }
    return response;
}

HotResponse OnKillFocus(bool hot) {
    HotResponse response;
    response.repaint = hot;
    return response;
}

HotResponse OnCaptureChanged(bool hot, bool toThisButton) {
    HotResponse response;
    response.hot = hot;
    if (hot && !toThisButton) {
        response.releaseCapture = true;
        response.repaint = true;
    }
    return response;
}

}  // namespace velmora::iconbutton
