// Where the icon button puts its frame, icon and caption, and how its hot look follows the pointer.
// Plain arithmetic on its own small types, so that it runs and is tested away from Windows; the
// button's window code only feeds it rectangles and flags and carries out what it returns.
#pragma once

namespace velmora::iconbutton {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive, as in Win32.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    void Offset(int dx, int dy);
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The system colours the frame is traced in; the values are the Win32 colour indexes.
enum class SystemColour { ButtonShadow = 16, ButtonHighlight = 20 };

enum class FrameLook { None, Raised, Sunken };

// An L-shaped stroke: move to `start`, line to `corner`, line to `end`; as with Win32 lines, each line
// leaves out its end point.
struct FrameStroke {
    Point start;
    Point corner;
    Point end;
    SystemColour colour = SystemColour::ButtonShadow;
};

struct Frame {
    FrameLook look = FrameLook::None;
    FrameStroke topLeft;      // drawn first
    FrameStroke bottomRight;  // drawn over it
};

// Hot or pressed: the button is painted with its hot fill, hot caption colour and hot icon.
bool IsActive(bool hot, bool pressed);

// Pressed sinks the frame, hot raises it, otherwise there is none; `drawBorder` off means never a frame.
FrameLook ChooseFrame(bool drawBorder, bool hot, bool pressed);
Frame LayOutFrame(const Rect& item, FrameLook look);

// The screen's DPI at which Windows draws a program that does not scale itself: 100 %.
inline constexpr int kDefaultDpi = 96;

// A length of `pixelsAt96` pixels at 100 % as many pixels at `dpi`, rounded to the nearest.
int ScaleForDpi(int pixelsAt96, int dpi);

struct ContentInput {
    Rect item;
    bool hasIcon = false;  // a hot icon is held
    Size icon;             // the size the icon was loaded with
    bool hasCaption = false;
    bool pressed = false;
    int dpi = kDefaultDpi;  // the screen's, which the margins follow
};

struct ContentLayout {
    bool drawIcon = false;
    // The icon's top-left corner, and the extent handed to the drawing call with it.
    Rect icon;
    // The space the caption is centred in.
    Rect caption;
};

ContentLayout LayOutContent(const ContentInput& input);

// Where the caption goes: a text of `text` size measured from `space`'s top-left corner, centred in
// `space` (and standing out of it evenly when it does not fit).
Rect CentreText(const Rect& space, Size text);

// What a message does to the hot look. The window code applies the fields in this order: the new hot
// value, capture taken or released, then the repaint.
struct HotResponse {
    bool hot = false;
    bool takeCapture = false;
    bool releaseCapture = false;
    bool repaint = false;
};

struct MouseMove {
    bool flat = true;
    bool hot = false;
    bool holdsCapture = false;
    bool leftButtonDown = false;
    bool pointerInside = false;
};

// A mouse move, after the button's standard processing has seen it.
HotResponse OnMouseMove(const MouseMove& move);
// The keyboard focus went elsewhere.
HotResponse OnKillFocus(bool hot);
// The capture went elsewhere (or was given up); the button stays hot until a move finds the pointer
// outside. `toThisButton`: the button took the capture again while holding it (Wine reports that when
// a press starts on a hot button); nothing changed hands, and giving the capture up there would leave
// the press without the release that ends it.
HotResponse OnCaptureChanged(bool hot, bool toThisButton);

}  // namespace velmora::iconbutton
