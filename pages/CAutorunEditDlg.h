// The editor of an autorun entry's command, opened from the Folders/Run page. The entry's name is shown
// read-only (it names the registry value, which is never renamed); the command can be changed.
#pragma once

#include <string>

#include "controls/CIconButton.h"
#include "framework/Dialog.h"

class CAutorunEditDlg : public CDialog {
  public:
    enum { IDD = 152 };
    enum { IDC_COMMAND = 1083, IDC_NAME = 1082 };

    CAutorunEditDlg();
    ~CAutorunEditDlg() override;

    // The window the editor is modal to: the program's top-level window, so that all of it waits.
    void SetOwner(CWnd* owner) { m_pParentWnd = owner; }

    BOOL OnInitDialog() override;

    std::string m_command;  // edit 1083
    std::string m_name;     // read-only edit 1082
    BOOL m_useIconButtons = FALSE;
    // The command was typed in after the editor opened (typing the old text back still counts).
    BOOL m_changed = FALSE;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    HICON m_hIcon = nullptr;
    CIconButton m_okButton;
    CIconButton m_cancelButton;
};
