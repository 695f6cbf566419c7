#include "controls/CIconButton.h"

#include <windowsx.h>

#include "controls/COffscreenDC.h"
#include "controls/IconButtonLayout.h"
#include "framework/WinApp.h"

namespace ib = velmora::iconbutton;

namespace {

// A GDI object made for one paint and deleted at its end.
class ScopedGdiObject {
  public:
    explicit ScopedGdiObject(HGDIOBJ object) : m_object(object) {}
    ~ScopedGdiObject() {
        if (m_object != nullptr) {
            ::DeleteObject(m_object);
        }
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    HGDIOBJ get() const { return m_object; }

  private:
    HGDIOBJ m_object;
};

ib::Rect ToLayout(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT ToWin32(const ib::Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void TraceStroke(HDC dc, const ib::FrameStroke& stroke) {
    ScopedGdiObject pen(::CreatePen(PS_SOLID, 0, ::GetSysColor(static_cast<int>(stroke.colour))));
    const HGDIOBJ oldPen = ::SelectObject(dc, pen.get());
    ::MoveToEx(dc, stroke.start.x, stroke.start.y, nullptr);
    ::LineTo(dc, stroke.corner.x, stroke.corner.y);
    ::LineTo(dc, stroke.end.x, stroke.end.y);
    ::SelectObject(dc, oldPen);
}

HICON LoadIconResource(int id, int width, int height) {
    return static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(LOWORD(id)), IMAGE_ICON,
                                           width, height, LR_DEFAULTCOLOR));
}

// The screen's DPI, which every Windows reports; a system-aware program keeps it until it ends.
int ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : ib::kDefaultDpi;
}

}  // namespace

CIconButton::CIconButton() = default;

CIconButton::~CIconButton() {
    DestroyImages();
}

void CIconButton::DestroyImages() {
    // One handle may serve as both icons.
    if (m_normalIcon != nullptr && m_normalIcon != m_hotIcon) {
        ::DestroyIcon(m_normalIcon);
    }
    if (m_hotIcon != nullptr) {
        ::DestroyIcon(m_hotIcon);
    }
    m_hotIcon = nullptr;
    m_normalIcon = nullptr;
}

void CIconButton::SetUp(CWnd* dialog, int controlId, int iconId) {
    SubclassDlgItem(static_cast<UINT>(controlId), dialog);
    if (iconId != 0) {
        LoadIcons(iconId);
    }
    SetHotTextColor(RGB(0, 0, 255), FALSE);
}

void CIconButton::LoadIcons(int hotIconId, int normalIconId) {
    // Loading again replaces the icons held so far rather than losing them.
    DestroyImages();
    // The icons stand for the program's tools as a desktop icon would: at the system's icon size, which is
    // 32 pixels at 100 % and grows with the screen's DPI on the systems that scale.
    m_iconWidth = ::GetSystemMetrics(SM_CXICON);
    m_iconHeight = ::GetSystemMetrics(SM_CYICON);
    m_hotIcon = LoadIconResource(hotIconId, m_iconWidth, m_iconHeight);
    m_normalIcon = normalIconId != 0 ? LoadIconResource(normalIconId, m_iconWidth, m_iconHeight) : m_hotIcon;
    if (m_hWnd != nullptr) {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CIconButton::SetHotTextColor(COLORREF color, BOOL repaint) {
    m_hotText = color;
    Repaint(repaint);
}

void CIconButton::Repaint(BOOL repaint) {
    if (repaint && m_hWnd != nullptr) {
        Invalidate();
    }
}

void CIconButton::PreSubclassWindow() {
    // Owner-draw is a button type, not a flag: it replaces the type bits and keeps the others. The
    // dialog's default id is left as it is, so Enter still presses the default button.
    const UINT style = (GetStyle() & 0xFF & ~static_cast<UINT>(BS_TYPEMASK)) | BS_OWNERDRAW;
    SendMessage(BM_SETSTYLE, style, TRUE);
    CButton::PreSubclassWindow();
}

BOOL CIconButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

BOOL CIconButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            *result = DefWindowProc(message, wParam, lParam);
            return TRUE;
        case WM_KILLFOCUS:
            *result = DefWindowProc(message, wParam, lParam);
            OnKillFocus();
            return TRUE;
        case WM_MOUSEMOVE:
            *result = DefWindowProc(message, wParam, lParam);
            OnMouseMove(wParam, lParam);
            return TRUE;
        default:
            break;
    }
    return CButton::OnWndMsg(message, wParam, lParam, result);
}

void CIconButton::OnCaptureChanged(HWND newCapture) {
    const ib::HotResponse response = ib::OnCaptureChanged(m_hot != FALSE, newCapture == m_hWnd);
    if (response.releaseCapture) {
        ::ReleaseCapture();
    }
    if (response.repaint) {
        Invalidate();
    }
}

void CIconButton::OnKillFocus() {
    const ib::HotResponse response = ib::OnKillFocus(m_hot != FALSE);
    m_hot = response.hot;
    if (response.repaint) {
        Invalidate();
    }
}

void CIconButton::OnMouseMove(WPARAM keys, LPARAM point) {
    RECT client{};
    GetClientRect(&client);
    ib::MouseMove move;
    move.flat = true;  // the program's buttons are all flat
    move.hot = m_hot != FALSE;
    move.holdsCapture = ::GetCapture() == m_hWnd;
    move.leftButtonDown = (keys & MK_LBUTTON) != 0;
    move.pointerInside = ::PtInRect(&client, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}) != FALSE;
    const ib::HotResponse response = ib::OnMouseMove(move);
    // Hot changes before the capture goes, so that the capture-changed handler sees the new state.
    m_hot = response.hot;
    if (response.takeCapture) {
        ::SetCapture(m_hWnd);
    }
    if (response.releaseCapture) {
        ::ReleaseCapture();
    }
    if (response.repaint) {
        Invalidate();
    }
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT item) {
    COffscreenDC dc(item->hDC);
    const RECT& rect = item->rcItem;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool hot = m_hot != FALSE;
    const bool active = ib::IsActive(hot, pressed);

    {
        ScopedGdiObject brush(::CreateSolidBrush(active ? m_hotBackground : m_normalBackground));
        ::FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
    }
    DrawFrame(dc, rect, hot, pressed);

    const std::string caption = GetWindowText();
    ib::ContentInput content;
    content.item = ToLayout(rect);
    content.hasIcon = m_hotIcon != nullptr;
    content.icon = {m_iconWidth, m_iconHeight};
    content.hasCaption = !caption.empty();
    content.pressed = pressed;
    content.dpi = ScreenDpi();
    const ib::ContentLayout layout = ib::LayOutContent(content);

    if (layout.drawIcon) {
        const HICON icon = active ? m_hotIcon : m_normalIcon;
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, layout.icon.left,
                     layout.icon.top, layout.icon.Width(), layout.icon.Height(),
                     DST_ICON | (disabled ? DSS_DISABLED : 0));
    }
    if (!caption.empty()) {
        DrawCaption(dc, caption, ToWin32(layout.caption), active, disabled);
    }
    // No focus rectangle: the flat look does without one.
}

void CIconButton::DrawFrame(HDC dc, const RECT& item, bool hot, bool pressed) const {
    const ib::FrameLook look = ib::ChooseFrame(true, hot, pressed);  // always a border
    if (look == ib::FrameLook::None) {
        return;
    }
    // The colours are read at each paint, so a change of the system's scheme shows at once.
    const ib::Frame frame = ib::LayOutFrame(ToLayout(item), look);
    TraceStroke(dc, frame.topLeft);
    TraceStroke(dc, frame.bottomRight);
}

void CIconButton::DrawCaption(HDC dc, const std::string& caption, const RECT& space, bool active,
                              bool disabled) {
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    const HGDIOBJ oldFont = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    ::SetTextColor(dc, active ? m_hotText : m_normalText);
    ::SetBkColor(dc, active ? m_hotBackground : m_normalBackground);

    // Measured as drawn: the "&" mnemonic markers take no room.
    RECT measured = space;
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
                DT_SINGLELINE | DT_CALCRECT);
    const ib::Rect text =
        ib::CentreText(ToLayout(space), {measured.right - measured.left, measured.bottom - measured.top});
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()),
                 static_cast<WPARAM>(caption.size()), text.left, text.top, text.Width(), text.Height(),
                 DST_PREFIXTEXT | (disabled ? DSS_DISABLED : 0));

    if (oldFont != nullptr) {
        ::SelectObject(dc, oldFont);
    }
}
