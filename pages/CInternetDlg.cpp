#include "pages/CInternetDlg.h"

#include "res/resource.h"
#include "text/win32/WindowText.h"

CInternetDlg::CInternetDlg() : CInertPage(IDD) {}

BOOL CInternetDlg::PreTranslateMessage(MSG* msg) {
    m_toolTips.Relay(msg);
    return CInertPage::PreTranslateMessage(msg);
}

BOOL CInternetDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // The fields that would show the connection's values stay blank in this edition.
    for (const int field :
         {IDC_INTERNET_CURRENT_MTU_TEXT, IDC_INTERNET_CURRENT_MSS_TEXT, IDC_INTERNET_RECOMMENDATION_TEXT,
          IDC_INTERNET_CURRENT_TTL_TEXT, IDC_INTERNET_CURRENT_RWIN_TEXT}) {
        velmora::text::SetWindowText(GetDlgItemHwnd(field), "");
    }
    // The tool is the field's area of the page, not the field itself: a static gets no mouse messages.
    RECT area{};
    ::GetWindowRect(GetDlgItemHwnd(kRecommendationField), &area);
    ScreenToClient(&area);
    m_toolTips.Add(this, area, kRecommendationToolId, "MaxMSS x 4 = Recommended RWIN");
    return TRUE;
}
