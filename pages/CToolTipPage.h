// A page with tooltips over some of its controls: `Count` tooltip windows of its own, one tool each. The
// page creates, fills and activates each one as it initialises (AddToolTip); every message the page
// pre-translates is relayed to all of them before `Page` (the page's own base) sees it.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "framework/ToolTipCtrl.h"

template <class Page, std::size_t Count = 1>
class CToolTipPage : public Page {
  public:
    using Page::Page;

    BOOL PreTranslateMessage(MSG* msg) override {
        for (CToolTipCtrl& toolTip : m_toolTips) {
            toolTip.RelayEvent(msg);
        }
        return Page::PreTranslateMessage(msg);
    }

  protected:
    // Creates tooltip `index` with `control` as its one tool and activates it.
    void AddToolTip(std::size_t index, int control, const char* text) {
        CToolTipCtrl& toolTip = m_toolTips[index];
        if (toolTip.Create(this)) {
            toolTip.AddTool(this->GetDlgItemHwnd(control), text);
            toolTip.Activate(TRUE);
        }
    }
    // The same with `area` of the page itself as the tool, known to the tooltip as `toolId`.
    void AddToolTip(std::size_t index, const RECT& area, UINT_PTR toolId, const char* text) {
        CToolTipCtrl& toolTip = m_toolTips[index];
        if (toolTip.Create(this)) {
            toolTip.AddTool(this, text, &area, toolId);
            toolTip.Activate(TRUE);
        }
    }

  private:
    std::array<CToolTipCtrl, Count> m_toolTips;
};
