// CToolTipCtrl: a tooltip window for a dialog's controls. The owner relays its messages to it
// (RelayEvent) so that it sees the mouse moving over the tools.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
  public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tool for `window` as a whole, or, with a rectangle and id, for that part of `window`.
    BOOL AddTool(CWnd* window, const std::string& text, const RECT* rect = nullptr, UINT_PTR toolId = 0);
    BOOL AddTool(HWND window, const std::string& text, const RECT* rect = nullptr, UINT_PTR toolId = 0);
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    void RelayEvent(MSG* msg);
};
