// The New page: the file types that offer an entry in the shell's New menu. Selected entries are
// removed at once, without a question; a notice on the page says so. The page never lights up Apply.
#pragma once

#include <string>
#include <vector>

#include "controls/CIconButton.h"
#include "framework/PropertyPage.h"
#include "res/resource.h"
#include "settings/ShellNewList.h"
#include "system/Services.h"

class CNewDlg : public CPropertyPage {
  public:
    enum { IDD = IDD_NEW };
    explicit CNewDlg(velmora::Services services);

    void SetUpButtons();
    // Reads the entries and shows them in the list.
    void Load();
    // Shows the entries the start-up reader read, unless the list was read otherwise meanwhile.
    void ShowStartupEntries(std::vector<velmora::ShellNewEntry> entries);
    velmora::ShellNewList& Settings() { return m_list; }
    const velmora::ShellNewList& Settings() const { return m_list; }

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void OnRemove();
    void ShowEntries();
    // The list enabled once its entries are there.
    void ShowWaiting();
    // The texts of the selected items, first to last.
    std::vector<std::string> SelectedTexts() const;

    velmora::ShellNewList m_list;
    CIconButton m_removeButton;
    std::string m_strNoticeDisplay;
};
