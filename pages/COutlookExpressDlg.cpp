#include "pages/COutlookExpressDlg.h"

void COutlookExpressDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, 1176, m_windowTitle);
    DDX_Check(dx, 1179, m_showSplash);
}
