// The editor of a system folder's search path, opened from the Folders/Run page. The folder's name is
// shown read-only; the path can be changed.
#pragma once

#include "pages/CValueEditDlg.h"
#include "res/resource.h"

class CSystemFolderEditDlg : public CValueEditDlg {
  public:
    enum { IDD = IDD_FOLDEREDIT };

    CSystemFolderEditDlg()
        : CValueEditDlg(IDD, IDI_SYSTEM_FOLDER, IDC_FOLDEREDIT_PATH_EDIT, IDC_FOLDEREDIT_FOLDER_EDIT) {}
};
