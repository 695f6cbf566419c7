// The editor of a system folder's search path, opened from the Folders/Run page. The folder's name is
// shown read-only (it names the registry value, which is never renamed); the path can be changed.
#pragma once

#include <string>

#include "controls/CIconButton.h"
#include "framework/Dialog.h"

class CSystemFolderEditDlg : public CDialog {
  public:
    enum { IDD = 147 };
    enum { IDC_PATH = 1083, IDC_FOLDER = 1093 };

    CSystemFolderEditDlg();
    ~CSystemFolderEditDlg() override;

    // The window the editor is modal to: the program's top-level window, so that all of it waits.
    void SetOwner(CWnd* owner) { m_pParentWnd = owner; }

    BOOL OnInitDialog() override;

    std::string m_path;        // edit 1083
    std::string m_folderName;  // read-only edit 1093
    BOOL m_useIconButtons = FALSE;
    // The path was typed in after the editor opened (typing the old text back still counts).
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
