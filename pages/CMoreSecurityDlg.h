// The More Security page: tabs and buttons of system property sheets to hide, laid out without function
// in this edition.
#pragma once

#include "pages/CInertPage.h"
#include "res/resource.h"

class CMoreSecurityDlg : public CInertPage {
  public:
    enum { IDD = IDD_MORESECURITY };
    CMoreSecurityDlg() : CInertPage(IDD) {}
};
