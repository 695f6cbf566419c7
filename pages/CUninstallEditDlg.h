// The editor of an uninstall entry: its description and its uninstall command. It only collects the
// texts and which of them the user changed; the Add/Remove page decides what is written.
#pragma once

#include <string>

#include "pages/CEditDialog.h"
#include "res/resource.h"

class CUninstallEditDlg : public CEditDialog {
  public:
    enum { IDD = IDD_UNINSTALLEDIT };
    enum {
        kDescriptionEdit = IDC_UNINSTALLEDIT_DESCRIPTION_EDIT,
        kCommandEdit = IDC_UNINSTALLEDIT_COMMAND_EDIT
    };

    explicit CUninstallEditDlg(CWnd* parent = nullptr);

    BOOL m_bCommandChanged = FALSE;
    BOOL m_bDescriptionChanged = FALSE;
    std::string m_strCommand;
    std::string m_strDescription;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
    void ClearChanges() override;
};
