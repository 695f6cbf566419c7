#include "framework/Wnd.h"

#include <unordered_map>
#include <vector>

#include "framework/MessageCalls.h"
#include "text/win32/WindowText.h"

namespace {

std::unordered_map<HWND, CWnd*>& HandleMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object waiting for the window this thread is about to create, and the hook that catches it. The
// hook is installed only while a window is awaited: every window the thread makes (each control of each
// page), every activation and focus change would otherwise pass through it, under Wine each one a
// round trip to the server.
thread_local CWnd* t_pendingWnd = nullptr;
thread_local HHOOK t_cbtHook = nullptr;

void RemoveCbtHook() {
    if (t_cbtHook != nullptr) {
        ::UnhookWindowsHookEx(t_cbtHook);
        t_cbtHook = nullptr;
    }
}

// The framework creates dialogs only; other windows made meanwhile (an input-method window, say) are
// not the one it waits for.
bool IsDialogClass(const CBT_CREATEWNDA* create) {
    const LPCSTR name = create->lpcs->lpszClass;
    if (IS_INTRESOURCE(name)) {
        return LOWORD(reinterpret_cast<ULONG_PTR>(name)) == 0x8002;
    }
    return name != nullptr && lstrcmpiA(name, "#32770") == 0;
}

}  // namespace

LRESULT CALLBACK AfxCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = t_cbtHook;
    if (code == HCBT_CREATEWND && t_pendingWnd != nullptr &&
        IsDialogClass(reinterpret_cast<CBT_CREATEWNDA*>(lParam))) {
        CWnd* wnd = t_pendingWnd;
        t_pendingWnd = nullptr;
        const auto hwnd = reinterpret_cast<HWND>(wParam);
        wnd->Attach(hwnd);
        wnd->m_superProc = afx::SetWindowProc(hwnd, &AfxWndProc);
        RemoveCbtHook();
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd == nullptr) {
        return afx::DefaultWindowProc(hwnd, message, wParam, lParam);
    }
    // No C++ exception may unwind through user32.
    try {
        return wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

CWnd::~CWnd() {
    if (m_hWnd != nullptr) {
        // A window that outlives its object must stop calling into it.
        if (m_superProc != nullptr) {
            UnsubclassWindow();
        }
        const HWND hwnd = m_hWnd;
        Detach();
        if (::IsWindow(hwnd) && (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
            ::DestroyWindow(hwnd);
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    const auto it = HandleMap().find(hwnd);
    return it != HandleMap().end() ? it->second : nullptr;
}

HWND CWnd::TopLevelOf(HWND hwnd) {
    // A child's parent is its container; a pop-up's "parent" is its owner, where the walk ends.
    while (hwnd != nullptr && (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        const HWND parent = ::GetParent(hwnd);
        if (parent == nullptr) {
            break;
        }
        hwnd = parent;
    }
    return hwnd;
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    HandleMap()[hwnd] = this;
}

void CWnd::Detach() {
    if (m_hWnd != nullptr) {
        HandleMap().erase(m_hWnd);
        m_hWnd = nullptr;
    }
}

void CWnd::HookWindowCreate(CWnd* wnd) {
    if (t_cbtHook == nullptr) {
        t_cbtHook = ::SetWindowsHookExA(WH_CBT, &AfxCbtHook, nullptr, ::GetCurrentThreadId());
    }
    t_pendingWnd = wnd;
}

void CWnd::UnhookWindowCreate() {
    t_pendingWnd = nullptr;
    RemoveCbtHook();
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (hwnd == nullptr || FromHandlePermanent(hwnd) != nullptr) {
        return FALSE;
    }
    Attach(hwnd);
    PreSubclassWindow();
    m_superProc = afx::SetWindowProc(hwnd, &AfxWndProc);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent != nullptr && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    const HWND hwnd = m_hWnd;
    if (hwnd != nullptr && m_superProc != nullptr) {
        afx::SetWindowProc(hwnd, m_superProc);
        m_superProc = nullptr;
    }
    Detach();
    return hwnd;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::PreTranslateHostKey(MSG*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The window is gone: hand it back to its own procedure and forget it.
        if (m_superProc != nullptr) {
            afx::SetWindowProc(m_hWnd, m_superProc);
            m_superProc = nullptr;
        }
        Detach();
        PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc != nullptr) {
        return afx::CallWindowProcedure(m_superProc, m_hWnd, message, wParam, lParam);
    }
    return afx::DefaultWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* wnd = FromHandlePermanent(child);
    return wnd != nullptr && wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0 &&
                ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result)) {
                return TRUE;
            }
            if (OnCommand(wParam, lParam)) {
                *result = 0;
                return TRUE;
            }
            return FALSE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && ReflectToChild(header->hwndFrom, message, wParam, lParam, result)) {
                return TRUE;
            }
            return OnNotify(wParam, lParam, result);
        }
        case WM_DRAWITEM: {
            // Route by the item's window, not its id; menus are not ours to draw.
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item != nullptr && item->CtlType != ODT_MENU &&
                ReflectToChild(item->hwndItem, message, wParam, lParam, result)) {
                return TRUE;
            }
            return FALSE;
        }
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            const auto child = reinterpret_cast<HWND>(lParam);
            HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), FromHandlePermanent(child),
                                      message - WM_CTLCOLORMSGBOX);
            if (brush != nullptr) {
                *result = reinterpret_cast<LRESULT>(brush);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

HBRUSH CWnd::OnCtlColor(HDC dc, CWnd* child, UINT ctlType) {
    if (child != nullptr) {
        LRESULT result = 0;
        if (child->OnChildNotify(WM_CTLCOLORMSGBOX + ctlType, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(child->m_hWnd), &result)) {
            return reinterpret_cast<HBRUSH>(result);
        }
    }
    return nullptr;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

std::string CWnd::GetWindowText() const {
    return velmora::text::WindowText(m_hWnd);
}

void CWnd::SetWindowText(const std::string& text) {
    velmora::text::SetWindowText(m_hWnd, text);
}

void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) {
        return FALSE;
    }
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add) {
    const DWORD style = GetExStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) {
        return FALSE;
    }
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(changed));
    return TRUE;
}

void CWnd::CenterWindow() {
    // Over the owner when there is one, otherwise over the work area of the screen.
    RECT area{};
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
