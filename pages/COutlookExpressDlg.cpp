#include "pages/COutlookExpressDlg.h"

#include "res/resource.h"

void COutlookExpressDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_OUTLOOK_WINDOW_TITLE_EDIT, m_windowTitle);
    DDX_Check(dx, IDC_OUTLOOK_SPLASH_BOX, m_showSplash);
}
