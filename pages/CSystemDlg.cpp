#include "pages/CSystemDlg.h"

#include <commctrl.h>

CSystemDlg::CSystemDlg() : CInertPage(IDD) {}

void CSystemDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Check(dx, 1146, m_logErrors);
    DDX_Radio(dx, 1227, m_scandisk);
    DDX_Check(dx, 1230, m_functionKeys);
    DDX_Check(dx, 1231, m_startGui);
    DDX_Check(dx, 1179, m_splash);
    DDX_Check(dx, 1233, m_previousOs);
    DDX_Check(dx, 1234, m_bootMenu);
    DDX_Text(dx, kBootDelayEdit, m_bootDelay);
    DDX_Text(dx, 1245, m_installationFiles);
    DDX_Text(dx, kCaptionEdit, m_caption);
    DDV_MaxChars(dx, m_caption, kNoticeMax);
    DDX_Text(dx, kTextEdit, m_text);
    DDV_MaxChars(dx, m_text, kNoticeMax);
    DDX_Check(dx, 1255, m_legalNotice);
}

BOOL CSystemDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // Seconds of the boot menu: 1 to 99 (the upper limit goes in the low word).
    ::SendMessageA(GetDlgItemHwnd(kBootDelaySpin), UDM_SETRANGE, 0, MAKELPARAM(99, 1));
    return TRUE;
}
