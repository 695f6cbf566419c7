#include "pages/CIeUrlDlg.h"

void CIeUrlDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, 1274, m_blankPage);
    DDX_Text(dx, 1275, m_navigationCanceled);
    DDX_Text(dx, 1276, m_navigationFailed);
    DDX_Text(dx, 1277, m_offlineFailed);
}
