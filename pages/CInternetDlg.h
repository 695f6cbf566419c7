// The Internet page: TCP/IP tuning, shown without function in this edition.
#pragma once

#include "framework/PropertyPage.h"

class CInternetDlg : public CPropertyPage {
  public:
    enum { IDD = 139 };
    CInternetDlg();
};
