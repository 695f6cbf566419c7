#include "framework/ToolTipCtrl.h"

#include "framework/WinApp.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    const HWND hwnd =
        ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, parent != nullptr ? parent->m_hWnd : nullptr, nullptr,
                          AfxGetInstanceHandle(), nullptr);
    if (hwnd == nullptr) {
        return FALSE;
    }
    return SubclassWindow(hwnd);
}

BOOL CToolTipCtrl::AddTool(CWnd* window, const std::string& text, const RECT* rect, UINT_PTR toolId) {
    return window != nullptr && AddTool(window->m_hWnd, text, rect, toolId);
}

BOOL CToolTipCtrl::AddTool(HWND window, const std::string& text, const RECT* rect, UINT_PTR toolId) {
    if (m_hWnd == nullptr || window == nullptr) {
        return FALSE;
    }
    // The version-5 structure size, which every comctl32 accepts.
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = const_cast<char*>(text.c_str());
    if (rect == nullptr && toolId == 0) {
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = ::GetParent(window);
        tool.uId = reinterpret_cast<UINT_PTR>(window);
    } else {
        tool.hwnd = window;
        tool.uId = toolId;
        if (rect != nullptr) {
            tool.rect = *rect;
        }
    }
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (m_hWnd != nullptr) {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    }
}
