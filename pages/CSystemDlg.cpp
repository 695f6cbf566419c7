#include "pages/CSystemDlg.h"

#include "res/resource.h"

#include <commctrl.h>

CSystemDlg::CSystemDlg() : CInertPage(IDD) {}

void CSystemDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Check(dx, IDC_SYSTEM_LOG_ERRORS_BOX, m_logErrors);
    DDX_Radio(dx, IDC_SYSTEM_SCANDISK_NEVER_RADIO, m_scandisk);
    DDX_Check(dx, IDC_SYSTEM_FUNCTION_KEYS_BOX, m_functionKeys);
    DDX_Check(dx, IDC_SYSTEM_START_GUI_BOX, m_startGui);
    DDX_Check(dx, IDC_SYSTEM_SPLASH_BOX, m_splash);
    DDX_Check(dx, IDC_SYSTEM_PREVIOUS_OS_BOX, m_previousOs);
    DDX_Check(dx, IDC_SYSTEM_BOOT_MENU_BOX, m_bootMenu);
    DDX_Text(dx, kBootDelayEdit, m_bootDelay);
    DDX_Text(dx, IDC_SYSTEM_INSTALL_FILES_EDIT, m_installationFiles);
    DDX_Text(dx, kCaptionEdit, m_caption);
    DDV_MaxChars(dx, m_caption, kNoticeMax);
    DDX_Text(dx, kTextEdit, m_text);
    DDV_MaxChars(dx, m_text, kNoticeMax);
    DDX_Check(dx, IDC_SYSTEM_LEGAL_NOTICE_BOX, m_legalNotice);
}

BOOL CSystemDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // Seconds of the boot menu: 1 to 99 (the upper limit goes in the low word).
    ::SendMessageA(GetDlgItemHwnd(kBootDelaySpin), UDM_SETRANGE, 0, MAKELPARAM(99, 1));
    return TRUE;
}
