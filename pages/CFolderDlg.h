// The Folders/Run page: system folder paths and the programs run at start-up.
#pragma once

#include "framework/PropertyPage.h"

class CFolderDlg : public CPropertyPage {
  public:
    enum { IDD = 146 };
    CFolderDlg();
};
