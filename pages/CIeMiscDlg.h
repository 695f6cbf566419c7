// Internet Explorer page, Miscellaneous panel: the window title and a button to clear typed addresses,
// inert in this edition.
#pragma once

#include <string>

#include "controls/CIconButton.h"
#include "pages/CInertPage.h"

class CIeMiscDlg : public CInertPage {
  public:
    enum { IDD = 209 };
    enum : int { kWindowTitleEdit = 1180, kClearTypedUrlsButton = 1277 };
    CIeMiscDlg() : CInertPage(IDD) {}

    // Called by the Internet Explorer page's own button set-up.
    void SetUpButtons();

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::string m_windowTitle;
    CIconButton m_clearTypedUrlsButton;
};
