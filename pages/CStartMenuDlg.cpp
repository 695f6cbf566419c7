#include "pages/CStartMenuDlg.h"

#include "pages/CPleaseWaitDlg.h"

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

CStartMenuDlg::CStartMenuDlg(velmora::Services services) : CToolTipPage(IDD, services) {
    m_settings.SetPleaseWait([this] { ShowPleaseWait(); });
}

void CStartMenuDlg::SetUpButtons() {
    // The clear buttons have no icon, only the flat look and the blue hot caption.
    for (int h = 0; h < kHistoryCount; ++h) {
        m_clearButtons[h].SubclassDlgItem(StartMenuSettings::ButtonOf(static_cast<History>(h)), this);
        m_clearButtons[h].SetHotTextColor(RGB(0, 0, 255), FALSE);
    }
}

void CStartMenuDlg::Load() {
    m_settings.Load();
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
    UpdateData(FALSE);
}

void CStartMenuDlg::DoDataExchange(CDataExchange* dx) {
    const bool filling = !dx->m_bSaveAndValidate;
    if (filling) {
        m_filling = true;
    }
    CSettingPageOf::DoDataExchange(dx);
    if (filling) {
        m_filling = false;
    }
}

BOOL CStartMenuDlg::OnInitDialog() {
    CSettingPage::OnInitDialog();
    SendDlgItemMessageA(m_hWnd, IDC_STARTMENU_DELAY_SPIN, UDM_SETRANGE, 0,
                        MAKELPARAM(StartMenuSettings::kDelayMaximum, StartMenuSettings::kDelayMinimum));
    for (int h = 0; h < kHistoryCount; ++h) {
        const auto history = static_cast<History>(h);
        AddToolTip(static_cast<std::size_t>(h), StartMenuSettings::ButtonOf(history), ToolTipText(history));
    }
    return TRUE;
}

BOOL CStartMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    if (m_filling && control == IDC_STARTMENU_DELAY_EDIT) {
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED) {
        for (int h = 0; h < kHistoryCount; ++h) {
            const auto history = static_cast<History>(h);
            if (control == StartMenuSettings::ButtonOf(history)) {
                // Acts at once; the Apply button and the changed flags stay as they are.
                const HWND button = GetDlgItemHwnd(control);
                m_settings.ClearHistory(history, reinterpret_cast<velmora::WindowRef>(m_hWnd),
                                        [button] { ::EnableWindow(button, FALSE); });
                return TRUE;
            }
        }
    }
    return CSettingPage::OnCommand(wParam, lParam);
}

void CStartMenuDlg::ShowPleaseWait() {
    CPleaseWaitDlg dialog;
    dialog.DoModal();
}
