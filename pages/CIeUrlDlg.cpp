#include "pages/CIeUrlDlg.h"

#include "res/resource.h"

void CIeUrlDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_IEURLS_BLANK_PAGE_EDIT, m_blankPage);
    DDX_Text(dx, IDC_IEURLS_NAVIGATION_CANCELED_EDIT, m_navigationCanceled);
    DDX_Text(dx, IDC_IEURLS_NAVIGATION_FAILED_EDIT, m_navigationFailed);
    DDX_Text(dx, IDC_IEURLS_OFFLINE_FAILED_EDIT, m_offlineFailed);
}
