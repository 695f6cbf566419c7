#include "pages/CSystemDlg.h"

#include "res/resource.h"

#include <commctrl.h>

CSystemDlg::CSystemDlg() : CInertPage(IDD) {}

void CSystemDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    // Only the notice's two fields are exchanged, for their limits.
    DDX_Text(dx, kCaptionEdit, m_caption);
    DDV_MaxChars(dx, m_caption, kNoticeMax);
    DDX_Text(dx, kTextEdit, m_text);
    DDV_MaxChars(dx, m_text, kNoticeMax);
}

BOOL CSystemDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // Seconds of the boot menu: 1 to 99 (the upper limit goes in the low word).
    ::SendMessageA(GetDlgItemHwnd(kBootDelaySpin), UDM_SETRANGE, 0, MAKELPARAM(99, 1));
    return TRUE;
}
