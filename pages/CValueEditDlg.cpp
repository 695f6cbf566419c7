#include "pages/CValueEditDlg.h"

CValueEditDlg::CValueEditDlg(UINT templateId, int windowIconId, int textEdit, int nameEdit)
    : CEditDialog(templateId, windowIconId), m_textEdit(textEdit), m_nameEdit(nameEdit) {}

void CValueEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, m_textEdit, m_text);
    DDX_Text(dx, m_nameEdit, m_name);
}

BOOL CValueEditDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == m_textEdit && HIWORD(wParam) == EN_CHANGE) {
        m_changed = TRUE;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
