// CPropertyPage: one page of a property sheet, on its own dialog template. Controls are copied into the
// members when the page is left, and the members into the controls on every activation but the first.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/Dialog.h"

class CPropertyPage : public CDialog {
  public:
    explicit CPropertyPage(UINT templateId);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

    // What the sheet needs to create this page's window.
    PROPSHEETPAGEA m_psp{};

  protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    friend UINT CALLBACK AfxPropPageCallback(HWND, UINT, PROPSHEETPAGEA*);
    friend INT_PTR CALLBACK AfxPageDlgProc(HWND, UINT, WPARAM, LPARAM);
    bool m_firstSetActive = true;
};
