// Internet Explorer page, URL Templates panel: five numbered address fields, inert in this edition.
#pragma once

#include "pages/CInertPage.h"
#include "res/resource.h"

class CIeUrlTemplateDlg : public CInertPage {
  public:
    enum { IDD = IDD_IETEMPLATES };
    CIeUrlTemplateDlg() : CInertPage(IDD) {}
};
