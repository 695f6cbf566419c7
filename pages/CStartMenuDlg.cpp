#include "pages/CStartMenuDlg.h"

using velmora::StartMenuSettings;

namespace {

const char* ToolTipText(StartMenuSettings::History history) {
    switch (history) {
        case StartMenuSettings::kRecentDocs:
            return "Click to empty your Start Menu\\Documents folder!";
        case StartMenuSettings::kRunHistory:
            return "Click to empty your Start Menu\\Run\\List box folder!";
        case StartMenuSettings::kFindHistory:
            return "Click to empty your StartMenu\\Find\\List box folder!";
        default:
            return "";
    }
}

}  // namespace

CStartMenuDlg::CStartMenuDlg(velmora::Services services) : CSettingPage(IDD), m_settings(services) {}

void CStartMenuDlg::SetUpButtons() {
    // The clear buttons have no icon, only the flat look and the blue hot caption.
    for (int h = 0; h < kHistoryCount; ++h) {
        m_clearButtons[h].SetUp(this, StartMenuSettings::ButtonOf(static_cast<History>(h)));
    }
}

void CStartMenuDlg::Load(const velmora::WindowsTraits& windows) {
    CSettingPage::Load(windows);
    // Disabled for the page's life: nothing enables them again.
    if (!m_settings.FoldersAvailable()) {
        for (int f = 0; f < StartMenuSettings::kFolderCount; ++f) {
            ::EnableWindow(
                GetDlgItemHwnd(StartMenuSettings::ControlOf(static_cast<StartMenuSettings::Folder>(f))),
                FALSE);
        }
    }
    for (int h = 0; h < kHistoryCount; ++h) {
        if (!m_settings.HistoryAvailable(static_cast<History>(h))) {
            ::EnableWindow(GetDlgItemHwnd(StartMenuSettings::ButtonOf(static_cast<History>(h))), FALSE);
        }
    }
}

BOOL CStartMenuDlg::OnInitDialog() {
    CSettingPage::OnInitDialog();
    SendDlgItemMessageA(m_hWnd, IDC_STARTMENU_DELAY_SPIN, UDM_SETRANGE, 0,
                        MAKELPARAM(StartMenuSettings::kDelayMaximum, StartMenuSettings::kDelayMinimum));
    for (int h = 0; h < kHistoryCount; ++h) {
        const auto history = static_cast<History>(h);
        m_toolTips.Add(this, StartMenuSettings::ButtonOf(history), ToolTipText(history));
    }
    return TRUE;
}

BOOL CStartMenuDlg::PreTranslateMessage(MSG* msg) {
    m_toolTips.Relay(msg);
    return CSettingPage::PreTranslateMessage(msg);
}

BOOL CStartMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        for (int h = 0; h < kHistoryCount; ++h) {
            const auto history = static_cast<History>(h);
            if (control == StartMenuSettings::ButtonOf(history)) {
                // Acts at once; the Apply button and the changed flags stay as they are.
                if (m_settings.ClearHistory(history)) {
                    ::EnableWindow(GetDlgItemHwnd(control), FALSE);
                    m_settings.TellLogOff(Owner());
                }
                return TRUE;
            }
        }
    }
    return CSettingPage::OnCommand(wParam, lParam);
}
