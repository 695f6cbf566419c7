#include "pages/CPrefsDlg.h"

#include "res/resource.h"
#include "text/win32/WindowText.h"

namespace {

struct Tool {
    int control;
    int icon;
    const char* tip;
};
constexpr Tool kTools[] = {
    {IDC_PREFS_REGEDIT_BUTTON, IDI_REGEDIT, "Click to start Regedit, works even if you have locked it!"},
    {IDC_PREFS_SYSEDIT_BUTTON, IDI_SYSEDIT, "Click to start your System editor!"},
    {IDC_PREFS_SYSTEM_INFO_BUTTON, IDI_SYSTEM_INFO,
     "Click to start MSinfo, to get information about your computer!"},
    {IDC_PREFS_IP_CONFIG_BUTTON, IDI_IP_CONFIG, "Click to see your computers IP configuration!"},
};

}  // namespace

CPrefsDlg::CPrefsDlg() : CInertPage(IDD) {}

BOOL CPrefsDlg::PreTranslateMessage(MSG* msg) {
    m_toolTips.Relay(msg);
    return CInertPage::PreTranslateMessage(msg);
}

BOOL CPrefsDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    for (int i = 0; i < kToolCount; ++i) {
        m_toolTips.Add(this, kTools[i].control, kTools[i].tip);
    }
    // The language choice is not offered in this edition.
    ::ShowWindow(GetDlgItemHwnd(IDC_PREFS_LANGUAGE_COMBO), SW_HIDE);
    return TRUE;
}

void CPrefsDlg::SetUpButtons() {
    for (int i = 0; i < kToolCount; ++i) {
        m_toolButtons[static_cast<std::size_t>(i)].SetUp(this, kTools[i].control, kTools[i].icon);
    }
}

void CPrefsDlg::DisableForWindowsNt(const std::string& caption) {
    for (int control : {IDC_PREFS_INTERNET_BOX, IDC_PREFS_SECURITY_BOX, IDC_PREFS_MORESECURITY_BOX,
                        IDC_PREFS_SYSTEM_INFO_BUTTON, IDC_PREFS_IP_CONFIG_BUTTON}) {
        const HWND window = GetDlgItemHwnd(control);
        ::EnableWindow(window, FALSE);
        velmora::text::SetWindowText(window, caption);
    }
}
