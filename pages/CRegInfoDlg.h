// The Reg Info page: registration details and network names, laid out without function in this edition.
#pragma once

#include <string>

#include "pages/CInertPage.h"
#include "res/resource.h"

class CRegInfoDlg : public CInertPage {
  public:
    enum { IDD = IDD_REGINFO };
    enum : int {
        kComputerNameEdit = IDC_REGINFO_COMPUTER_NAME_EDIT,
        kWorkgroupEdit = IDC_REGINFO_WORKGROUP_EDIT,
        kNetworkNameMax = 15
    };
    CRegInfoDlg();

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::string m_computerName;
    std::string m_workgroup;
};
