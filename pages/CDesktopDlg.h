// The Desktop page: desktop and shell settings, icon size and shortcut arrows.
#pragma once

#include "framework/PropertyPage.h"

class CDesktopDlg : public CPropertyPage {
  public:
    enum { IDD = 130 };
    CDesktopDlg();
};
