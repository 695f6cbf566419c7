// The New page: the file types offering an entry in the shell's New menu.
#pragma once

#include "framework/PropertyPage.h"

class CNewDlg : public CPropertyPage {
  public:
    enum { IDD = 144 };
    CNewDlg();
};
