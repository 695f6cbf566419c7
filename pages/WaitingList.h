// A list page whose list the start-up reader has not handed over yet: the list is empty and disabled,
// the page's buttons are disabled, and the mouse pointer is the wait cursor over the whole page.
#pragma once

#include <windows.h>

// The page's answer to WM_SETCURSOR while it waits (the message reaches the page for its controls too,
// since a control's default handling asks its parent first): TRUE with the wait cursor set.
inline BOOL SetWaitCursor(UINT message, LRESULT* result) {
    if (message != WM_SETCURSOR) {
        return FALSE;
    }
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    *result = TRUE;
    return TRUE;
}

// Once the list is there: the window under the mouse pointer, if it lies on `page`, chooses its cursor
// again now rather than at the next move of the mouse.
inline void RefreshCursorOver(HWND page) {
    POINT at{};
    if (page == nullptr || !::GetCursorPos(&at)) {
        return;
    }
    const HWND under = ::WindowFromPoint(at);
    if (under == nullptr || (under != page && !::IsChild(page, under))) {
        return;
    }
    const LRESULT hit = ::SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                   MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}
