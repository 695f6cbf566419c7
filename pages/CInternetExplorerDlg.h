// The Internet Explorer page with its switchable option panels.
#pragma once

#include "framework/PropertyPage.h"

class CInternetExplorerDlg : public CPropertyPage {
  public:
    enum { IDD = 175 };
    CInternetExplorerDlg();
};
