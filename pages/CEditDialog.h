// A small modal editor of the list pages: its window icon, and OK and Cancel as icon buttons when the
// owner page's button set-up asked for them. Filling its edits as it opens is not a change.
#pragma once

#include "controls/CIconButton.h"
#include "framework/Dialog.h"

class CEditDialog : public CDialog {
  public:
    CEditDialog(UINT templateId, int windowIconId, CWnd* parent = nullptr);

    // The window the editor is modal to.
    void SetOwner(CWnd* owner) { m_pParentWnd = owner; }

    BOOL OnInitDialog() override;

    // Set by the owner page's button set-up: OK and Cancel become icon buttons.
    BOOL m_useIconButtons = FALSE;

  protected:
    // Forgets the changes the edits reported while the dialog filled them.
    virtual void ClearChanges() = 0;

  private:
    HICON m_hIcon;
    CIconButton m_okButton;
    CIconButton m_cancelButton;
};
