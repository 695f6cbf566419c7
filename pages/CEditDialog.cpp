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
        const struct {
            CIconButton& button;
            int control;
            int icon;
        } buttons[] = {{m_okButton, IDOK, IDI_OK}, {m_cancelButton, IDCANCEL, IDI_CANCEL}};
        for (const auto& b : buttons) {
            b.button.SubclassDlgItem(static_cast<UINT>(b.control), this);
            b.button.LoadIcons(b.icon);
            b.button.SetHotTextColor(RGB(0, 0, 255), FALSE);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ClearChanges();
    return TRUE;
}
