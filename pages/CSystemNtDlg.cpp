#include "pages/CSystemNtDlg.h"

CSystemNtDlg::CSystemNtDlg() : CInertPage(IDD) {}

void CSystemNtDlg::SetUpButtons() {
    // No icon: only the flat look and the blue hot caption.
    m_recoveryDiscButton.SubclassDlgItem(kRecoveryDiscButton, this);
    m_recoveryDiscButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
}

void CSystemNtDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    // Exchange order: seven boxes, the caption and text edits, seven boxes, the message edit, one box.
    constexpr int kFirstBoxes[] = {1247, 1248, 1249, 1250, 1251, 1204, 1255};
    constexpr int kLaterBoxes[] = {1252, 1253, 1261, 1263, 1264, 1265, 1266};
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
    DDX_Text(dx, 1267, m_logonMessage);
    DDX_Check(dx, 1268, m_checks[box]);
}
