// The Reg Info page: registration details and network names, laid out without function in this edition.
#pragma once

#include <string>

#include "pages/CInertPage.h"

class CRegInfoDlg : public CInertPage {
  public:
    enum { IDD = 143 };
    enum : int { kComputerNameEdit = 1068, kWorkgroupEdit = 1069, kNetworkNameMax = 15 };
    CRegInfoDlg();

    // Nothing sets it in this edition; the main window reads it at OK.
    BOOL NeedsRestart() const { return m_needsRestart; }

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::string m_productId;
    std::string m_organisation;
    std::string m_owner;
    std::string m_computerName;
    std::string m_workgroup;
    BOOL m_needsRestart = FALSE;
};
