// The Security page (Windows 9x): Explorer restrictions, automatic logon, the Regedit lock.
#pragma once

#include "framework/PropertyPage.h"

class CSecurityDlg : public CPropertyPage {
  public:
    enum { IDD = 140 };
    CSecurityDlg();
};
