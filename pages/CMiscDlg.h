// The Miscellaneous page: Explorer, display, file-system and autoplay settings, shell verbs.
#pragma once

#include "framework/PropertyPage.h"

class CMiscDlg : public CPropertyPage {
  public:
    enum { IDD = 134 };
    CMiscDlg();
};
