#include "pages/CUninstallEditDlg.h"

#include "framework/WinApp.h"
#include "res/resource.h"

CUninstallEditDlg::CUninstallEditDlg(CWnd* parent) : CDialog(IDD, parent) {
    // A shared icon from the program's resources: the system frees it.
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_PROGRAMS));
}

void CUninstallEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kCommandEdit, m_strCommand);
    DDX_Text(dx, kDescriptionEdit, m_strDescription);
}

BOOL CUninstallEditDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_bUseIconButtons) {
        m_okButton.SubclassDlgItem(IDOK, this);
        m_okButton.LoadIcons(IDI_OK, 0, 32, 32);
        m_okButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
        m_cancelButton.SubclassDlgItem(IDCANCEL, this);
        m_cancelButton.LoadIcons(IDI_CANCEL, 0, 32, 32);
        m_cancelButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // Filling the edits above was not the user's doing.
    m_bCommandChanged = FALSE;
    m_bDescriptionChanged = FALSE;
    return TRUE;
}

BOOL CUninstallEditDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == EN_CHANGE) {
        switch (LOWORD(wParam)) {
            case kCommandEdit:
                m_bCommandChanged = TRUE;
                return TRUE;
            case kDescriptionEdit:
                m_bDescriptionChanged = TRUE;
                return TRUE;
            default:
                break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CUninstallEditDlg::OnOK() {
    UpdateData(TRUE);
    CDialog::OnOK();
}

void CUninstallEditDlg::OnCancel() {
    m_bCommandChanged = FALSE;
    m_bDescriptionChanged = FALSE;
    CDialog::OnCancel();
}
