// The Start Menu page: Start Menu policies, the menu delay, special folders and history clearing.
#pragma once

#include "framework/PropertyPage.h"

class CStartMenuDlg : public CPropertyPage {
  public:
    enum { IDD = 129 };
    CStartMenuDlg();
};
