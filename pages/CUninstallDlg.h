// The Add/Remove page: the programs of the system's uninstall list, removed from it or edited at once
// after the user confirms. The list, its wait, its notice and its Remove button are CEntryListPage's.
#pragma once

#include <optional>
#include <string>

#include "controls/CIconButton.h"
#include "pages/CEntryListPage.h"
#include "pages/CUninstallEditDlg.h"
#include "res/resource.h"
#include "settings/UninstallList.h"
#include "system/Services.h"

class CUninstallDlg : public CEntryListPage<velmora::UninstallList> {
  public:
    enum { IDD = IDD_ADDREMOVE };
    explicit CUninstallDlg(velmora::Services services);

    // Edit and Remove become icon buttons, and so do the editor's OK and Cancel.
    void SetUpButtons();

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void EnableButtons(BOOL enable) override;
    void OnRemove() override;

  private:
    void OnEdit();
    // The selected display name; nothing when nothing is selected.
    std::optional<std::string> SelectedName() const;
    HWND ProgramWindow() const;

    CUninstallEditDlg m_editor;
    CIconButton m_editButton;
};
