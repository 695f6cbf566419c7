#include "pages/CRegInfoDlg.h"

CRegInfoDlg::CRegInfoDlg() : CInertPage(IDD) {}

void CRegInfoDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, 1064, m_productId);
    DDX_Text(dx, 1067, m_organisation);
    DDX_Text(dx, 1065, m_owner);
    DDX_Text(dx, kComputerNameEdit, m_computerName);
    DDV_MaxChars(dx, m_computerName, kNetworkNameMax);
    DDX_Text(dx, kWorkgroupEdit, m_workgroup);
    DDV_MaxChars(dx, m_workgroup, kNetworkNameMax);
}

BOOL CRegInfoDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    ::SetFocus(GetDlgItemHwnd(kWorkgroupEdit));
    return FALSE;  // the focus is set
}
