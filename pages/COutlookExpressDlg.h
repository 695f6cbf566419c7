// Internet Explorer page, Outlook Express panel: window title and splash screen, inert in this edition.
#pragma once

#include "pages/CInertPage.h"
#include "res/resource.h"

class COutlookExpressDlg : public CInertPage {
  public:
    enum { IDD = IDD_OUTLOOK };
    COutlookExpressDlg() : CInertPage(IDD) {}
};
