// The editor of an autorun entry's command, opened from the Folders/Run page. The entry's name is shown
// read-only (it names the registry value, which is never renamed); the command can be changed.
#pragma once

#include <string>

#include "pages/CEditDialog.h"
#include "res/resource.h"

class CAutorunEditDlg : public CEditDialog {
  public:
    enum { IDD = IDD_AUTORUNEDIT };
    enum { IDC_COMMAND = IDC_AUTORUNEDIT_COMMAND_EDIT, IDC_NAME = IDC_AUTORUNEDIT_NAME_EDIT };

    CAutorunEditDlg();

    std::string m_command;  // the command edit
    std::string m_name;     // the read-only name edit
    // The command was typed in after the editor opened (typing the old text back still counts).
    BOOL m_changed = FALSE;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ClearChanges() override { m_changed = FALSE; }
};
