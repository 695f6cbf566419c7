#include "pages/CSecurityDlg.h"

using velmora::SecuritySettings;

CSecurityDlg::CSecurityDlg(velmora::Services services) : CSettingPage(IDD), m_settings(services) {}

void CSecurityDlg::Load(const velmora::WindowsTraits& windows) {
    CSettingPage::Load(windows);
    EnableLogonControls();
}

void CSecurityDlg::EnableLogonControls() {
    const SecuritySettings::LogonControls enabled = m_settings.LogonControlsEnabled();
    ::EnableWindow(GetDlgItemHwnd(IDC_SECURITY_CLEAR_LAST_USER_BOX), enabled.clearLastUser);
    ::EnableWindow(GetDlgItemHwnd(IDC_SECURITY_USER_NAME_EDIT), enabled.userName);
    ::EnableWindow(GetDlgItemHwnd(IDC_SECURITY_PASSWORD_EDIT), enabled.password);
}

BOOL CSecurityDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED && control == IDC_SECURITY_AUTOLOGON_BOX) {
        EnableApply();
        UpdateData(TRUE);
        // The logon controls follow the box before its warning shows.
        EnableLogonControls();
        if (m_settings.ClickAutologon(Owner())) {
            UpdateData(FALSE);
        }
        return TRUE;
    }
    if (code == BN_CLICKED && control == IDC_SECURITY_REGEDIT_BOX) {
        // The notice comes before Apply lights up.
        UpdateData(TRUE);
        m_settings.ClickRegedit(Owner());
        EnableApply();
        return TRUE;
    }
    return CSettingPage::OnCommand(wParam, lParam);
}
