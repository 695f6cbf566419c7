// Tooltips over some of a page's controls: one tooltip window per tool, created, filled and activated as
// the page initialises (Add). The page relays every message it pre-translates to them (Relay), so that
// they see the mouse moving over their tools.
#pragma once

#include <windows.h>

#include <deque>

#include "framework/ToolTipCtrl.h"

class PageToolTips {
  public:
    // A tooltip with the page's control `control` as its one tool.
    void Add(CWnd* page, int control, const char* text);
    // A tooltip with `area` of the page itself as its tool, known to the tooltip as `toolId`.
    void Add(CWnd* page, const RECT& area, UINT_PTR toolId, const char* text);
    void Relay(MSG* msg);

  private:
    std::deque<CToolTipCtrl> m_toolTips;
};
