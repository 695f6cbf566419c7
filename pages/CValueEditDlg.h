// The editor of one registry value's text, with the value's name shown read-only beside it (it names the
// registry value, which is never renamed). The Folders/Run page opens one for a system folder's path and
// one for an autorun entry's command; each says only its template, window icon and the ids of its edits.
#pragma once

#include <string>

#include "pages/CEditDialog.h"

class CValueEditDlg : public CEditDialog {
  public:
    CValueEditDlg(UINT templateId, int windowIconId, int textEdit, int nameEdit);

    std::string m_text;  // the editable edit
    std::string m_name;  // the read-only name edit
    // The text was typed in after the editor opened (typing the old text back still counts).
    BOOL m_changed = FALSE;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ClearChanges() override { m_changed = FALSE; }

  private:
    const int m_textEdit;
    const int m_nameEdit;
};
