// CPropertySheet: a property sheet created as a child window of a dialog, without buttons of its own.
#pragma once

#include <vector>

#include "framework/PropertyPage.h"
#include "framework/Wnd.h"

class CPropertySheet : public CWnd {
  public:
    void AddPage(CPropertyPage* page) { m_pages.push_back(page); }
    // FALSE: the tabs stay in one row, with scroll arrows.
    void EnableStackedTabs(BOOL stacked) { m_stacked = stacked != FALSE; }

    BOOL Create(CWnd* parent, DWORD style, DWORD exStyle = 0);

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    BOOL SetActivePage(int index);
    HWND GetTabControl() const;
    // The page shown now; null before the sheet has a window.
    CPropertyPage* GetActivePage() const;

    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp go to the next or previous page, wrapping
    // at either end: the sheet's own handling (PSM_ISDIALOGMESSAGE) when the key comes from inside the
    // sheet, the same step from here when it comes from elsewhere in the host window.
    BOOL PreTranslateMessage(MSG* msg) override;
    // The same keys pressed elsewhere in the host dialog.
    BOOL PreTranslateHostKey(MSG* msg) override;
    // The step of a page-changing key press (+1 next, -1 previous), 0 for any other message.
    static int PageStepOf(const MSG& msg);

  private:
    friend int CALLBACK AfxSheetCallback(HWND, UINT, LPARAM);
    void AdjustTemplate(LPARAM dialogTemplate) const;
    void RemoveOwnButtons();
    void StepPage(int step);

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_psps;
    bool m_stacked = true;
    DWORD m_createStyle = 0;
    DWORD m_createExStyle = 0;
};
