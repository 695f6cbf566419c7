// The Add/Remove page: the programs of the system's uninstall list, removed from it or edited at once
// after the user confirms. The page never lights up Apply.
#pragma once

#include <string>
#include <vector>

#include "controls/CIconButton.h"
#include "framework/PropertyPage.h"
#include "pages/CUninstallEditDlg.h"
#include "res/resource.h"
#include "settings/UninstallList.h"
#include "system/Services.h"

class CUninstallDlg : public CPropertyPage {
  public:
    enum { IDD = IDD_ADDREMOVE };
    explicit CUninstallDlg(velmora::Services services);

    // Edit and Remove become icon buttons, and so do the editor's OK and Cancel.
    void SetUpButtons();
    // Reads the entries and shows them in the list.
    void Load();
    // Shows the entries the start-up reader read, unless the list was read otherwise meanwhile.
    void ShowStartupEntries(std::vector<velmora::UninstallEntry> entries);
    velmora::UninstallList& Settings() { return m_list; }
    const velmora::UninstallList& Settings() const { return m_list; }

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void OnRemove();
    void OnEdit();
    void EnableButtons(BOOL enable);
    void ShowEntries();
    // The list enabled once its entries are there.
    void ShowWaiting();
    // The selected display name; false when nothing is selected.
    bool SelectedName(std::string& name) const;
    HWND ProgramWindow() const;

    velmora::UninstallList m_list;
    CUninstallEditDlg m_editor;
    const std::string m_strNotice;
    std::string m_strNoticeDisplay;
    CIconButton m_editButton;
    CIconButton m_removeButton;
};
