#include "pages/PageToolTips.h"

void PageToolTips::Add(CWnd* page, int control, const char* text) {
    CToolTipCtrl& toolTip = m_toolTips.emplace_back();
    if (toolTip.Create(page)) {
        toolTip.AddTool(page->GetDlgItemHwnd(control), text);
        toolTip.Activate(TRUE);
    }
}

void PageToolTips::Add(CWnd* page, const RECT& area, UINT_PTR toolId, const char* text) {
    CToolTipCtrl& toolTip = m_toolTips.emplace_back();
    if (toolTip.Create(page)) {
        toolTip.AddTool(page, text, &area, toolId);
        toolTip.Activate(TRUE);
    }
}

void PageToolTips::Relay(MSG* msg) {
    for (CToolTipCtrl& toolTip : m_toolTips) {
        toolTip.RelayEvent(msg);
    }
}
