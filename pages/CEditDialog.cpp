#include "pages/CEditDialog.h"

#include "framework/WinApp.h"
#include "res/resource.h"

CEditDialog::CEditDialog(UINT templateId, int windowIconId, CWnd* parent)
    : CDialog(templateId, parent),
      // A shared icon of the program's resources: the system frees it.
      m_hIcon(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(windowIconId))) {}

BOOL CEditDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_useIconButtons) {
        m_okButton.SetUp(this, IDOK, IDI_OK);
        m_cancelButton.SetUp(this, IDCANCEL, IDI_CANCEL);
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ClearChanges();
    return TRUE;
}
