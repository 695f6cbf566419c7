// The Folders/Run page: the system folder paths and the programs Windows runs at start-up, edited in
// place. Every confirmed change is written at once; the page never lights up Apply and only tells the
// main window that a restart is advisable after a folder path change.
#pragma once

#include <optional>
#include <string>

#include "controls/CIconButton.h"
#include "framework/PropertyPage.h"
#include "pages/CAutorunEditDlg.h"
#include "pages/CSystemFolderEditDlg.h"
#include "res/resource.h"
#include "settings/FolderRunList.h"
#include "system/Services.h"

class CFolderDlg : public CPropertyPage {
  public:
    enum { IDD = IDD_FOLDERSRUN };
    explicit CFolderDlg(velmora::Services services);

    // Attaches the three icon buttons and makes both editors use icon buttons for OK and Cancel.
    void SetUpButtons();
    // Reads both lists into the list boxes: the system folders, then the entries of the chosen source.
    void Load();
    void LoadFolders();
    void LoadAutoruns();
    // Shows the lists the start-up reader read, unless either was read otherwise meanwhile.
    void ShowStartupLists(velmora::FolderRunRead lists);
    velmora::FolderRunList& Settings() { return m_list; }
    const velmora::FolderRunList& Settings() const { return m_list; }
    // Set by every attempt to change a folder path; read by the main window at OK.
    bool RestartNeeded() const { return m_list.RestartNeeded(); }

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    // The model's lists into the list boxes (only those read again since last shown), and its enable
    // states onto the controls.
    void ShowLists();
    void ShowEnabled();
    void ShowAll();
    // The program's top-level window: the editors are modal to it and it owns the questions.
    CWnd* TopLevel();
    velmora::WindowRef Owner();
    // Opens `editor` on the value `name` holding `text`, modal to the top-level window.
    velmora::FolderRunList::EditResult Edit(CValueEditDlg& editor, const std::string& name,
                                            const std::string& text);

    CWnd m_sourceCombo;
    CWnd m_autorunList;
    CWnd m_folderList;
    velmora::FolderRunList m_list;  // path text, source index, restart-needed flag
    CSystemFolderEditDlg m_folderEditor;
    CAutorunEditDlg m_autorunEditor;
    CIconButton m_changePathButton;
    CIconButton m_deleteButton;
    CIconButton m_editButton;
    unsigned m_shownFolderReads = 0;
    unsigned m_shownAutorunReads = 0;
};
