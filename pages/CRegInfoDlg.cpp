#include "pages/CRegInfoDlg.h"

#include "res/resource.h"

CRegInfoDlg::CRegInfoDlg() : CInertPage(IDD) {}

void CRegInfoDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_REGINFO_PRODUCT_ID_TEXT, m_productId);
    DDX_Text(dx, IDC_REGINFO_ORGANISATION_EDIT, m_organisation);
    DDX_Text(dx, IDC_REGINFO_OWNER_EDIT, m_owner);
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
