// The More Security page, shown without function in this edition.
#pragma once

#include "framework/PropertyPage.h"

class CMoreSecurityDlg : public CPropertyPage {
  public:
    enum { IDD = 173 };
    CMoreSecurityDlg();
};
