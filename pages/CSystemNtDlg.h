// The System page for Windows NT, shown without function in this edition.
#pragma once

#include "framework/PropertyPage.h"

class CSystemNtDlg : public CPropertyPage {
  public:
    enum { IDD = 200 };
    CSystemNtDlg();
};
