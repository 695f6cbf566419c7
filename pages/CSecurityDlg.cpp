#include "pages/CSecurityDlg.h"

using velmora::SecuritySettings;

CSecurityDlg::CSecurityDlg(velmora::Services services) : CSettingPageOf(IDD, services) {
    m_settings.Attach(
        {[this] { return reinterpret_cast<velmora::WindowRef>(m_hWnd); }, [this] { UpdateData(FALSE); },
         [this](int control, bool enable) { ::EnableWindow(GetDlgItemHwnd(control), enable); }});
}

void CSecurityDlg::DoDataExchange(CDataExchange* dx) {
    const bool wasPushing = m_pushing;
    m_pushing = wasPushing || !dx->m_bSaveAndValidate;
    CSettingPageOf::DoDataExchange(dx);
    m_pushing = wasPushing;
}

BOOL CSecurityDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == EN_CHANGE && m_pushing) {
        return TRUE;
    }
    if (code == BN_CLICKED && control == IDC_SECURITY_AUTOLOGON_BOX) {
        EnableApply();
        UpdateData(TRUE);
        m_settings.ClickAutologon();
        return TRUE;
    }
    if (code == BN_CLICKED && control == IDC_SECURITY_REGEDIT_BOX) {
        // The notice comes before Apply lights up.
        UpdateData(TRUE);
        m_settings.ClickRegedit();
        EnableApply();
        return TRUE;
    }
    return CSettingPage::OnCommand(wParam, lParam);
}
