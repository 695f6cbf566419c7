#include "pages/CSystemFolderEditDlg.h"

#include "framework/WinApp.h"
#include "res/resource.h"

CSystemFolderEditDlg::CSystemFolderEditDlg() : CDialog(IDD) {
    m_hIcon = static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_SYSTEM_FOLDER),
                                              IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

CSystemFolderEditDlg::~CSystemFolderEditDlg() {
    if (m_hIcon != nullptr) {
        ::DestroyIcon(m_hIcon);
    }
}

void CSystemFolderEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_PATH, m_path);
    DDX_Text(dx, IDC_FOLDER, m_folderName);
}

BOOL CSystemFolderEditDlg::OnInitDialog() {
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

void CSystemFolderEditDlg::OnOK() {
    UpdateData(TRUE);
    CDialog::OnOK();
}

BOOL CSystemFolderEditDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_PATH && HIWORD(wParam) == EN_CHANGE) {
        m_changed = TRUE;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
