#include "pages/CInternetDlg.h"

#include "res/resource.h"

CInternetDlg::CInternetDlg() : CInertPage(IDD) {}

BOOL CInternetDlg::PreTranslateMessage(MSG* msg) {
    m_toolTips.Relay(msg);
    return CInertPage::PreTranslateMessage(msg);
}

void CInternetDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Radio(dx, IDC_INTERNET_MTU_DEFAULT_RADIO, m_mtuChoice);
    DDX_Radio(dx, IDC_INTERNET_RWIN_DEFAULT_RADIO, m_rwinChoice);
    DDX_Radio(dx, IDC_INTERNET_TTL_DEFAULT_RADIO, m_ttlChoice);
    DDX_Text(dx, IDC_INTERNET_MTU_LOCATION_EDIT, m_maxMtuLocation);
    DDX_Text(dx, IDC_INTERNET_CURRENT_MTU_TEXT, m_currentMaxMtu);
    DDX_Text(dx, IDC_INTERNET_CURRENT_MSS_TEXT, m_currentMaxMss);
    DDX_Text(dx, IDC_INTERNET_MTU_CUSTOM_EDIT, m_customMtu);
    DDX_Text(dx, IDC_INTERNET_RWIN_CUSTOM_EDIT, m_customRwin);
    DDX_Text(dx, kRecommendationField, m_recommendation);
    DDX_Text(dx, IDC_INTERNET_CURRENT_TTL_TEXT, m_currentTtl);
    DDX_Text(dx, IDC_INTERNET_CURRENT_RWIN_TEXT, m_currentRwin);
}

BOOL CInternetDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // The tool is the field's area of the page, not the field itself: a static gets no mouse messages.
    RECT area{};
    ::GetWindowRect(GetDlgItemHwnd(kRecommendationField), &area);
    ScreenToClient(&area);
    m_toolTips.Add(this, area, kRecommendationToolId, "MaxMSS x 4 = Recommended RWIN");
    return TRUE;
}
