// The Reg Info page, shown without function in this edition.
#pragma once

#include "framework/PropertyPage.h"

class CRegInfoDlg : public CPropertyPage {
  public:
    enum { IDD = 143 };
    CRegInfoDlg();
};
