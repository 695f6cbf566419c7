#include "pages/CUninstallEditDlg.h"

#include "res/resource.h"

CUninstallEditDlg::CUninstallEditDlg(CWnd* parent) : CEditDialog(IDD, IDI_PROGRAMS, parent) {}

void CUninstallEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kCommandEdit, m_strCommand);
    DDX_Text(dx, kDescriptionEdit, m_strDescription);
}

void CUninstallEditDlg::ClearChanges() {
    m_bCommandChanged = FALSE;
    m_bDescriptionChanged = FALSE;
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

void CUninstallEditDlg::OnCancel() {
    ClearChanges();
    CEditDialog::OnCancel();
}
