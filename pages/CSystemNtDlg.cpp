#include "pages/CSystemNtDlg.h"

#include "res/resource.h"

CSystemNtDlg::CSystemNtDlg() : CInertPage(IDD) {}

void CSystemNtDlg::SetUpButtons() {
    // No icon: only the flat look and the blue hot caption.
    m_recoveryDiscButton.SetUp(this, kRecoveryDiscButton);
}

void CSystemNtDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    // Only the notice's two fields are exchanged, for their limits.
    DDX_Text(dx, kCaptionEdit, m_caption);
    DDV_MaxChars(dx, m_caption, kNoticeMax);
    DDX_Text(dx, kTextEdit, m_text);
    DDV_MaxChars(dx, m_text, kNoticeMax);
}
