#include "pages/CInternetDlg.h"

CInternetDlg::CInternetDlg() : CInertPage(IDD) {}

void CInternetDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Radio(dx, 1029, m_mtuChoice);
    DDX_Radio(dx, 1036, m_rwinChoice);
    DDX_Radio(dx, 1032, m_ttlChoice);
    DDX_Text(dx, 1095, m_maxMtuLocation);
    DDX_Text(dx, 1126, m_currentMaxMtu);
    DDX_Text(dx, 1038, m_currentMaxMss);
    DDX_Text(dx, 1123, m_customMtu);
    DDX_Text(dx, 1125, m_customRwin);
    DDX_Text(dx, kRecommendationField, m_recommendation);
    DDX_Text(dx, 1128, m_currentTtl);
    DDX_Text(dx, 1129, m_currentRwin);
}

BOOL CInternetDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // The tool is the field's area of the page, not the field itself: a static gets no mouse messages.
    RECT area{};
    ::GetWindowRect(GetDlgItemHwnd(kRecommendationField), &area);
    ScreenToClient(&area);
    if (m_toolTip.Create(this)) {
        m_toolTip.AddTool(this, "MaxMSS x 4 = Recommended RWIN", &area, kRecommendationToolId);
        m_toolTip.Activate(TRUE);
    }
    return TRUE;
}

BOOL CInternetDlg::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    return CInertPage::PreTranslateMessage(msg);
}
