// The editor of an uninstall entry: its description and its uninstall command. It only collects the
// texts and which of them the user changed; the Add/Remove page decides what is written.
#pragma once

#include <string>

#include "controls/CIconButton.h"
#include "framework/Dialog.h"

class CUninstallEditDlg : public CDialog {
  public:
    enum { IDD = 145 };
    enum { kDescriptionEdit = 1082, kCommandEdit = 1083 };

    explicit CUninstallEditDlg(CWnd* parent = nullptr);

    // The window the editor is modal to: the program's window, so that all of it waits for the editor.
    void SetOwner(CWnd* owner) { m_pParentWnd = owner; }

    BOOL OnInitDialog() override;

    BOOL m_bCommandChanged = FALSE;
    BOOL m_bDescriptionChanged = FALSE;
    // Set by the page's button set-up: OK and Cancel become icon buttons.
    BOOL m_bUseIconButtons = FALSE;
    std::string m_strCommand;
    std::string m_strDescription;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

  private:
    HICON m_hIcon = nullptr;
    CIconButton m_okButton;
    CIconButton m_cancelButton;
};
