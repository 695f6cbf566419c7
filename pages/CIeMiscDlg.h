// Internet Explorer page, Miscellaneous panel: the window title and a button to clear typed addresses,
// inert in this edition.
#pragma once

#include <string>

#include "controls/CIconButton.h"
#include "pages/CInertPage.h"
#include "res/resource.h"

class CIeMiscDlg : public CInertPage {
  public:
    enum { IDD = IDD_IEMISC };
    enum : int {
        kWindowTitleEdit = IDC_IEMISC_WINDOW_TITLE_EDIT,
        kClearTypedUrlsButton = IDC_IEMISC_CLEAR_TYPED_URLS_BUTTON
    };
    CIeMiscDlg() : CInertPage(IDD) {}

    // Called by the Internet Explorer page's own button set-up.
    void SetUpButtons();

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::string m_windowTitle;
    CIconButton m_clearTypedUrlsButton;
};
