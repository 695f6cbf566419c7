#include "pages/CAutorunEditDlg.h"

#include "framework/WinApp.h"
#include "res/resource.h"

CAutorunEditDlg::CAutorunEditDlg() : CDialog(IDD) {
    m_hIcon = static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_AUTORUN),
                                              IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

CAutorunEditDlg::~CAutorunEditDlg() {
    if (m_hIcon != nullptr) {
        ::DestroyIcon(m_hIcon);
    }
}

void CAutorunEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_COMMAND, m_command);
    DDX_Text(dx, IDC_NAME, m_name);
}

BOOL CAutorunEditDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_useIconButtons) {
        const struct {
            CIconButton& button;
            int control;
            int icon;
        } buttons[] = {{m_okButton, IDOK, IDI_OK}, {m_cancelButton, IDCANCEL, IDI_CANCEL}};
        for (const auto& b : buttons) {
            b.button.SubclassDlgItem(static_cast<UINT>(b.control), this);
            b.button.LoadIcons(b.icon, 0, 32, 32);
            b.button.SetHotTextColor(RGB(0, 0, 255), FALSE);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // Putting the texts into the edits above is not a change.
    m_changed = FALSE;
    return TRUE;
}

void CAutorunEditDlg::OnOK() {
    UpdateData(TRUE);
    CDialog::OnOK();
}

BOOL CAutorunEditDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        m_changed = TRUE;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
