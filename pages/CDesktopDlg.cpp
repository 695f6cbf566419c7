#include "pages/CDesktopDlg.h"

#include "res/resource.h"
#include "settings/ApplyCycle.h"

using velmora::DesktopSettings;

CDesktopDlg::CDesktopDlg(velmora::Services services)
    : CSettingPage(IDD), m_services(services), m_settings(services) {}

void CDesktopDlg::SetUpButtons() {
    m_rebuildButton.SetUp(this, IDC_DESKTOP_REBUILD_ICONS_BUTTON, IDI_REBUILD_ICONS);
}

void CDesktopDlg::Load(const velmora::WindowsTraits& windows) {
    CSettingPage::Load(windows);
    if (!windows.Loads(velmora::LoadWhen::kWindows98)) {
        // The box's text only says why it is off. Disabled, it is never touched, and a message about what
        // could not be saved would still name it by its caption in the table ("Show Windows version on
        // desktop"), as every row is named and as the companion lists it.
        ::SetWindowTextA(GetDlgItemHwnd(IDC_DESKTOP_WINDOWS_VERSION_BOX), "Only Windows 98");
    }
}

void CDesktopDlg::DisableShortcutArrows() {
    for (int arrows :
         {IDC_DESKTOP_ARROW_NORMAL_RADIO, IDC_DESKTOP_ARROW_SMALL_RADIO, IDC_DESKTOP_ARROW_NONE_RADIO}) {
        ::EnableWindow(GetDlgItemHwnd(arrows), FALSE);
    }
}

BOOL CDesktopDlg::OnInitDialog() {
    CSettingPage::OnInitDialog();
    m_toolTips.Add(this, IDC_DESKTOP_REBUILD_ICONS_BUTTON, "Click to rebuild damaged icons!");
    return TRUE;
}

BOOL CDesktopDlg::PreTranslateMessage(MSG* msg) {
    m_toolTips.Relay(msg);
    return CSettingPage::PreTranslateMessage(msg);
}

BOOL CDesktopDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_DESKTOP_REBUILD_ICONS_BUTTON && HIWORD(wParam) == BN_CLICKED) {
        // Acts at once; the Apply button and the changed flags stay as they are.
        const long result = velmora::RebuildIconCache(m_services);
        if (result != 0) {
            velmora::ReportFailures(m_services, reinterpret_cast<velmora::WindowRef>(MainWindow()),
                                    {{velmora::kRebuildPage, velmora::kRebuildCaption, result}});
        }
        return TRUE;
    }
    return CSettingPage::OnCommand(wParam, lParam);
}
