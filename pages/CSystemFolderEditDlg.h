// The editor of a system folder's search path, opened from the Folders/Run page. The folder's name is
// shown read-only (it names the registry value, which is never renamed); the path can be changed.
#pragma once

#include <string>

#include "pages/CEditDialog.h"
#include "res/resource.h"

class CSystemFolderEditDlg : public CEditDialog {
  public:
    enum { IDD = IDD_FOLDEREDIT };
    enum { IDC_PATH = IDC_FOLDEREDIT_PATH_EDIT, IDC_FOLDER = IDC_FOLDEREDIT_FOLDER_EDIT };

    CSystemFolderEditDlg();

    std::string m_path;        // the path edit
    std::string m_folderName;  // the read-only folder edit
    // The path was typed in after the editor opened (typing the old text back still counts).
    BOOL m_changed = FALSE;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ClearChanges() override { m_changed = FALSE; }
};
