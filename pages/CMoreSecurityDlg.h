// The More Security page: tabs and buttons of system property sheets to hide, laid out without function
// in this edition.
#pragma once

#include <array>

#include "pages/CInertPage.h"
#include "res/resource.h"

class CMoreSecurityDlg : public CInertPage {
  public:
    enum { IDD = IDD_MORESECURITY };
    CMoreSecurityDlg();

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::array<int, 17> m_checks{};  // in exchange order
};
