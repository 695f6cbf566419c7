// The Add/Remove page: the uninstall entries, edited and removed at once.
#pragma once

#include "framework/PropertyPage.h"

class CUninstallDlg : public CPropertyPage {
  public:
    enum { IDD = 142 };
    CUninstallDlg();
};
