// Internet Explorer page, Default URLs panel: four address fields, inert in this edition.
#pragma once

#include "pages/CInertPage.h"
#include "res/resource.h"

class CIeUrlDlg : public CInertPage {
  public:
    enum { IDD = IDD_IEURLS };
    CIeUrlDlg() : CInertPage(IDD) {}
};
