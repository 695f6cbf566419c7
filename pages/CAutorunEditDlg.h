// The editor of an autorun entry's command, opened from the Folders/Run page. The entry's name is shown
// read-only (it names the registry value, which is never renamed); the command can be changed.
#pragma once

#include <string>

#include "pages/CEditDialog.h"

class CAutorunEditDlg : public CEditDialog {
  public:
    enum { IDD = 152 };
    enum { IDC_COMMAND = 1083, IDC_NAME = 1082 };

    CAutorunEditDlg();

    std::string m_command;  // edit 1083
    std::string m_name;     // read-only edit 1082
    // The command was typed in after the editor opened (typing the old text back still counts).
    BOOL m_changed = FALSE;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ClearChanges() override { m_changed = FALSE; }
};
