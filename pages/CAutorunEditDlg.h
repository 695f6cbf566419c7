// The editor of an autorun entry's command, opened from the Folders/Run page. The entry's name is shown
// read-only; the command can be changed.
#pragma once

#include "pages/CValueEditDlg.h"
#include "res/resource.h"

class CAutorunEditDlg : public CValueEditDlg {
  public:
    enum { IDD = IDD_AUTORUNEDIT };

    CAutorunEditDlg()
        : CValueEditDlg(IDD, IDI_AUTORUN, IDC_AUTORUNEDIT_COMMAND_EDIT, IDC_AUTORUNEDIT_NAME_EDIT) {}
};
