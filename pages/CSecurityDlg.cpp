#include "pages/CSecurityDlg.h"

using velmora::SecuritySettings;

CSecurityDlg::CSecurityDlg(velmora::Services services) : CSettingPage(IDD, m_settings), m_settings(services) {
    m_settings.Attach(
        {[this] { return reinterpret_cast<velmora::WindowRef>(m_hWnd); }, [this] { UpdateData(FALSE); },
         [this](int control, bool enable) { ::EnableWindow(GetDlgItemHwnd(control), enable); }});
}

void CSecurityDlg::DoDataExchange(CDataExchange* dx) {
    CSettingPage::DoDataExchange(dx);
    const bool wasPushing = m_pushing;
    m_pushing = wasPushing || !dx->m_bSaveAndValidate;
    using S = SecuritySettings;
    auto& check = m_settings.check;
    DDX_Check(dx, S::kAddPrinterBox, check[S::kNoAddPrinter]);
    DDX_Check(dx, S::kRemovePrinterBox, check[S::kNoDeletePrinter]);
    DDX_Check(dx, S::kStartMenuContextBox, check[S::kNoChangeStartMenu]);
    DDX_Check(dx, S::kChangeTaskbarBox, check[S::kNoSetTaskbar]);
    DDX_Check(dx, S::kLockDesktopBox, check[S::kNoDesktop]);
    DDX_Check(dx, S::kDesktopRightClickBox, check[S::kNoViewContextMenu]);
    DDX_Check(dx, S::kTaskbarRightClickBox, check[S::kNoTrayContextMenu]);
    DDX_Check(dx, S::kFileMenuBox, check[S::kNoFileMenu]);
    DDX_Check(dx, S::kFloppyBox, check[S::kNoDrives]);
    DDX_Check(dx, S::kClearLastUserBox, check[S::kClearLastUser]);
    DDX_Check(dx, S::kSaveSettingsBox, check[S::kNoSaveSettings]);
    DDX_Check(dx, S::kAutologonBox, check[S::kAutologon]);
    DDX_Text(dx, S::kPasswordEdit, m_settings.password);
    DDX_Text(dx, S::kUserNameEdit, m_settings.userName);
    DDX_Check(dx, S::kRegeditBox, check[S::kDisableRegistryTools]);
    DDX_Check(dx, S::kPrinterTabsBox, check[S::kNoPrinterTabs]);
    m_pushing = wasPushing;
}

BOOL CSecurityDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == EN_CHANGE && m_pushing) {
        return TRUE;
    }
    if (code == BN_CLICKED && control == SecuritySettings::kAutologonBox) {
        EnableApply();
        UpdateData(TRUE);
        m_settings.ClickAutologon();
        return TRUE;
    }
    if (code == BN_CLICKED && control == SecuritySettings::kRegeditBox) {
        // The notice comes before Apply lights up.
        UpdateData(TRUE);
        m_settings.ClickRegedit();
        EnableApply();
        return TRUE;
    }
    return CSettingPage::OnCommand(wParam, lParam);
}
