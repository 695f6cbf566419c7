#include "pages/CIeMiscDlg.h"

#include "res/resource.h"

void CIeMiscDlg::SetUpButtons() {
    m_clearTypedUrlsButton.SubclassDlgItem(kClearTypedUrlsButton, this);
    m_clearTypedUrlsButton.LoadIcons(IDI_EDIT);
    m_clearTypedUrlsButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
}

void CIeMiscDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Text(dx, kWindowTitleEdit, m_windowTitle);
}
