#include "pages/CDesktopDlg.h"

#include "res/resource.h"
#include "settings/ApplyCycle.h"
#include "settings/OsVersion.h"

using velmora::DesktopSettings;

CDesktopDlg::CDesktopDlg(velmora::Services services) : CToolTipPage(IDD, services), m_services(services) {}

void CDesktopDlg::SetUpButtons() {
    m_rebuildButton.SubclassDlgItem(IDC_DESKTOP_REBUILD_ICONS_BUTTON, this);
    m_rebuildButton.LoadIcons(IDI_REBUILD_ICONS);
    m_rebuildButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
}

void CDesktopDlg::Load() {
    velmora::Registry& registry = m_services.registry;
    m_settings.Load();
    if (velmora::IsWindows98(registry) && !velmora::IsWindowsNt(registry)) {
        m_settings.LoadWindowsVersion();
    } else {
        // The box's text only says why it is off. Disabled, it is never touched, and a message about what
        // could not be saved would still name it by its caption in the table ("Show Windows version on
        // desktop"), as every row is named and as the companion lists it.
        const HWND versionBox = GetDlgItemHwnd(IDC_DESKTOP_WINDOWS_VERSION_BOX);
        ::SetWindowTextA(versionBox, "Only Windows 98");
        ::EnableWindow(versionBox, FALSE);
    }
    UpdateData(FALSE);
}

void CDesktopDlg::DisableShortcutArrows() {
    for (int arrows :
         {IDC_DESKTOP_ARROW_NORMAL_RADIO, IDC_DESKTOP_ARROW_SMALL_RADIO, IDC_DESKTOP_ARROW_NONE_RADIO}) {
        ::EnableWindow(GetDlgItemHwnd(arrows), FALSE);
    }
}

BOOL CDesktopDlg::OnInitDialog() {
    CSettingPage::OnInitDialog();
    AddToolTip(0, IDC_DESKTOP_REBUILD_ICONS_BUTTON, "Click to rebuild damaged icons!");
    return TRUE;
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
