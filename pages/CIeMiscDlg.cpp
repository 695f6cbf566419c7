#include "pages/CIeMiscDlg.h"

#include "res/resource.h"

void CIeMiscDlg::SetUpButtons() {
    m_clearTypedUrlsButton.SetUp(this, kClearTypedUrlsButton, IDI_EDIT);
}

void CIeMiscDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, kWindowTitleEdit, m_windowTitle);
}
