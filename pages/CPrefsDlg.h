// The Preferences page: the program's own options, shown without function in this edition.
#pragma once

#include "framework/PropertyPage.h"

class CPrefsDlg : public CPropertyPage {
  public:
    enum { IDD = 185 };
    CPrefsDlg();
};
