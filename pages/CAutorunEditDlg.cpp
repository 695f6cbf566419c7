#include "pages/CAutorunEditDlg.h"

#include "res/resource.h"

CAutorunEditDlg::CAutorunEditDlg() : CEditDialog(IDD, IDI_AUTORUN) {}

void CAutorunEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_COMMAND, m_command);
    DDX_Text(dx, IDC_NAME, m_name);
}

BOOL CAutorunEditDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        m_changed = TRUE;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
