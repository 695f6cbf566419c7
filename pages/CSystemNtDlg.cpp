#include "pages/CSystemNtDlg.h"

#include "res/resource.h"

CSystemNtDlg::CSystemNtDlg() : CInertPage(IDD) {}

void CSystemNtDlg::SetUpButtons() {
    // No icon: only the flat look and the blue hot caption.
    m_recoveryDiscButton.SetUp(this, kRecoveryDiscButton);
}

void CSystemNtDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    // Exchange order: seven boxes, the caption and text edits, seven boxes, the message edit, one box.
    constexpr int kFirstBoxes[] = {IDC_SYSTEMNT_AUTO_END_HUNG_BOX, IDC_SYSTEMNT_AUTO_REBOOT_BOX,
                                   IDC_SYSTEMNT_POWER_OFF_BOX,     IDC_SYSTEMNT_COMMON_GROUPS_BOX,
                                   IDC_SYSTEMNT_APP_LOG_BOX,       IDC_SYSTEMNT_REGEDIT_BOX,
                                   IDC_SYSTEMNT_LEGAL_NOTICE_BOX};
    constexpr int kLaterBoxes[] = {IDC_SYSTEMNT_SECURITY_LOG_BOX,     IDC_SYSTEMNT_SYSTEM_LOG_BOX,
                                   IDC_SYSTEMNT_CLEAR_PAGEFILE_BOX,   IDC_SYSTEMNT_CHANGE_PASSWORD_BOX,
                                   IDC_SYSTEMNT_LOCK_WORKSTATION_BOX, IDC_SYSTEMNT_TASK_MANAGER_BOX,
                                   IDC_SYSTEMNT_LOGON_MESSAGE_BOX};
    std::size_t box = 0;
    for (int id : kFirstBoxes) {
        DDX_Check(dx, id, m_checks[box++]);
    }
    DDX_Text(dx, kCaptionEdit, m_caption);
    DDV_MaxChars(dx, m_caption, kNoticeMax);
    DDX_Text(dx, kTextEdit, m_text);
    DDV_MaxChars(dx, m_text, kNoticeMax);
    for (int id : kLaterBoxes) {
        DDX_Check(dx, id, m_checks[box++]);
    }
    DDX_Text(dx, IDC_SYSTEMNT_LOGON_MESSAGE_EDIT, m_logonMessage);
    DDX_Check(dx, IDC_SYSTEMNT_SHUTDOWN_FROM_LOGON_BOX, m_checks[box]);
}
