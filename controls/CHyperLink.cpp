#include "controls/CHyperLink.h"

#include <windowsx.h>

#include "controls/HyperLinkRules.h"
#include "framework/WinApp.h"

namespace hl = velmora::hyperlink;

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kHandCursorId = 106;

}  // namespace

CHyperLink::CHyperLink(velmora::Services services)
    : m_hoverColour(::GetSysColor(COLOR_HIGHLIGHT)), m_services(services) {}

CHyperLink::~CHyperLink() {
    if (m_font != nullptr) {
        ::DeleteObject(m_font);
    }
    m_toolTip.DestroyWindow();
    if (m_handCursor != nullptr) {
        ::DestroyCursor(m_handCursor);
    }
}

void CHyperLink::PreSubclassWindow() {
    ModifyStyle(0, SS_NOTIFY);  // the static reports clicks only with it
    if (m_target.empty()) {
        m_target = GetWindowText();
    }
    if (GetWindowText().empty()) {
        SetWindowText(m_target);
    }
    ReplaceFont(m_underline);
    FitToText();
    LoadHandCursor();
    if (m_toolTip.Create(this)) {
        RECT client{};
        GetClientRect(&client);
        m_toolTip.AddTool(this, m_target, &client, kToolId);
    }
    CStatic::PreSubclassWindow();
}

void CHyperLink::SetLinkTarget(const std::string& target) {
    m_target = target;
    if (m_hWnd == nullptr) {
        return;
    }
    FitToText();
    if (m_toolTip.m_hWnd != nullptr) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = m_hWnd;
        tool.uId = kToolId;
        tool.lpszText = const_cast<char*>(m_target.c_str());
        m_toolTip.SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CHyperLink::SetUnderlined(BOOL underline) {
    m_underline = underline;
    if (m_hWnd == nullptr) {
        return;
    }
    ReplaceFont(underline);
    Invalidate();
}

void CHyperLink::MarkVisited(BOOL visited) {
    m_visited = visited;
    if (m_hWnd != nullptr) {
        Invalidate(TRUE);
    }
}

// The control's current font again, underlined or not, as this label's own font object.
void CHyperLink::ReplaceFont(BOOL underline) {
    HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (current == nullptr) {
        current = ::GetStockObject(DEFAULT_GUI_FONT);
    }
    LOGFONTA logFont{};
    if (::GetObjectA(current, sizeof(logFont), &logFont) == 0) {
        return;
    }
    logFont.lfUnderline = static_cast<BYTE>(underline != FALSE);
    // The old font may be the one the control holds now: it goes only after the new one is set.
    const HFONT old = m_font;
    m_font = ::CreateFontIndirectA(&logFont);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    if (old != nullptr) {
        ::DeleteObject(old);
    }
}

void CHyperLink::FitToText() {
    if (m_hWnd == nullptr || !m_fitToText) {
        return;
    }
    RECT window{};
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&window), 2);

    const std::string text = GetWindowText();
    SIZE extent{};
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);

    const hl::Rect fitted = hl::FitToText({window.left, window.top, window.right, window.bottom}, extent.cx,
                                          extent.cy, GetStyle());
    ::SetWindowPos(m_hWnd, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                   fitted.bottom - fitted.top, SWP_NOZORDER);
}

// The hand cursor is copied from the help viewer in the Windows directory; without it the label keeps
// the ordinary cursor.
void CHyperLink::LoadHandCursor() {
    if (m_handCursor != nullptr) {
        return;
    }
    const std::string path = m_services.directories.WindowsDirectory() + "\\winhlp32.exe";
    const HMODULE module = ::LoadLibraryA(path.c_str());
    if (module == nullptr) {
        return;
    }
    if (const HCURSOR cursor = ::LoadCursorA(module, MAKEINTRESOURCEA(kHandCursorId)); cursor != nullptr) {
        m_handCursor = static_cast<HCURSOR>(::CopyIcon(cursor));
    }
    ::FreeLibrary(module);
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

BOOL CHyperLink::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        OnClicked();
        *result = 0;
        return TRUE;
    }
    if (message == WM_CTLCOLORSTATIC) {
        *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam)));
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, result);
}

BOOL CHyperLink::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_SETCURSOR:
            if (OnSetCursor()) {
                *result = TRUE;
                return TRUE;
            }
            return FALSE;
        case WM_MOUSEMOVE:
            *result = DefWindowProc(message, wParam, lParam);
            OnMouseMove(lParam);
            return TRUE;
        default:
            return CStatic::OnWndMsg(message, wParam, lParam, result);
    }
}

HBRUSH CHyperLink::OnCtlColor(HDC dc) const {
    COLORREF colour = m_linkColour;
    if (m_over) {
        colour = m_hoverColour;
    } else if (m_visited) {
        colour = m_visitedColour;
    }
    ::SetTextColor(dc, colour);
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CHyperLink::OnSetCursor() {
    if (m_handCursor == nullptr) {
        return FALSE;
    }
    ::SetCursor(m_handCursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(LPARAM lParam) {
    if (!m_over) {
        m_over = TRUE;
        RedrawNow();
        ::SetCapture(m_hWnd);
        return;
    }
    RECT client{};
    GetClientRect(&client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!::PtInRect(&client, point)) {
        m_over = FALSE;
        ::ReleaseCapture();
        RedrawNow();
    }
}

void CHyperLink::RedrawNow() {
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHyperLink::OnClicked() {
    const std::uintptr_t code = hl::OpenTarget(m_services.registry, m_services.shell, m_target, SW_SHOW);
    // A failed attempt clears an earlier visited state; it shows at the next repaint.
    m_visited = code > 32 ? TRUE : FALSE;
    if (code > 32) {
        MarkVisited(TRUE);
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowOpenError(code);
    }
}

void CHyperLink::ShowOpenError(std::uintptr_t code) {
    AfxMessageBox(hl::OpenErrorMessage(code), MB_ICONEXCLAMATION | MB_OK);
}
