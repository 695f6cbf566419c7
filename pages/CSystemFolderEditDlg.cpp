#include "pages/CSystemFolderEditDlg.h"

#include "res/resource.h"

CSystemFolderEditDlg::CSystemFolderEditDlg() : CEditDialog(IDD, IDI_SYSTEM_FOLDER) {}

void CSystemFolderEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_PATH, m_path);
    DDX_Text(dx, IDC_FOLDER, m_folderName);
}

BOOL CSystemFolderEditDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_PATH && HIWORD(wParam) == EN_CHANGE) {
        m_changed = TRUE;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
