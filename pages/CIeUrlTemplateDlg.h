// Internet Explorer page, URL Templates panel: five numbered address fields, inert in this edition.
#pragma once

#include <array>
#include <string>

#include "pages/CInertPage.h"
#include "res/resource.h"

class CIeUrlTemplateDlg : public CInertPage {
  public:
    enum { IDD = IDD_IETEMPLATES };
    CIeUrlTemplateDlg() : CInertPage(IDD) {}

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::array<std::string, 5> m_templates;
};
