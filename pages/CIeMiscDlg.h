// Internet Explorer page, Miscellaneous panel: the window title and a button to clear typed addresses,
// inert in this edition.
#pragma once

#include "controls/CIconButton.h"
#include "pages/CInertPage.h"
#include "res/resource.h"

class CIeMiscDlg : public CInertPage {
  public:
    enum { IDD = IDD_IEMISC };
    CIeMiscDlg() : CInertPage(IDD) {}

    // Called by the Internet Explorer page's own button set-up.
    void SetUpButtons();

  private:
    CIconButton m_clearTypedUrlsButton;
};
