// The System page for Windows 9x, shown without function in this edition.
#pragma once

#include "framework/PropertyPage.h"

class CSystemDlg : public CPropertyPage {
  public:
    enum { IDD = 192 };
    CSystemDlg();
};
