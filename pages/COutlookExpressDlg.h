// Internet Explorer page, Outlook Express panel: window title and splash screen, inert in this edition.
#pragma once

#include <string>

#include "pages/CInertPage.h"
#include "res/resource.h"

class COutlookExpressDlg : public CInertPage {
  public:
    enum { IDD = IDD_OUTLOOK };
    COutlookExpressDlg() : CInertPage(IDD) {}

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::string m_windowTitle;
    int m_showSplash = 0;
};
