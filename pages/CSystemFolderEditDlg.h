// The editor of a system folder's search path, opened from the Folders/Run page. The folder's name is
// shown read-only (it names the registry value, which is never renamed); the path can be changed.
#pragma once

#include <string>

#include "pages/CEditDialog.h"

class CSystemFolderEditDlg : public CEditDialog {
  public:
    enum { IDD = 147 };
    enum { IDC_PATH = 1083, IDC_FOLDER = 1093 };

    CSystemFolderEditDlg();

    std::string m_path;        // edit 1083
    std::string m_folderName;  // read-only edit 1093
    // The path was typed in after the editor opened (typing the old text back still counts).
    BOOL m_changed = FALSE;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ClearChanges() override { m_changed = FALSE; }
};
