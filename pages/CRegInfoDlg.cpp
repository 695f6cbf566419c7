#include "pages/CRegInfoDlg.h"

#include "res/resource.h"
#include "text/win32/WindowText.h"

CRegInfoDlg::CRegInfoDlg() : CInertPage(IDD) {}

void CRegInfoDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    // Only the network names are exchanged, for their limits.
    DDX_Text(dx, kComputerNameEdit, m_computerName);
    DDV_MaxChars(dx, m_computerName, kNetworkNameMax);
    DDX_Text(dx, kWorkgroupEdit, m_workgroup);
    DDV_MaxChars(dx, m_workgroup, kNetworkNameMax);
}

BOOL CRegInfoDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // No product id is shown in this edition.
    velmora::text::SetWindowText(GetDlgItemHwnd(IDC_REGINFO_PRODUCT_ID_TEXT), "");
    ::SetFocus(GetDlgItemHwnd(kWorkgroupEdit));
    return FALSE;  // the focus is set
}
