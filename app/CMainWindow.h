// The main window: a dialog hosting the property sheet of pages over its frame, with OK, Cancel, Apply
// and Help below it. It chooses the pages for the running system, creates every page window up front,
// loads the pages it loads itself and runs the apply cycle.
#pragma once

#include <functional>
#include <vector>

#include "app/CAboutDialog.h"
#include "app/CPromoDlg.h"
#include "app/CStartupListReader.h"
#include "controls/CIconButton.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "pages/CDesktopDlg.h"
#include "pages/CFolderDlg.h"
#include "pages/CInternetDlg.h"
#include "pages/CInternetExplorerDlg.h"
#include "pages/CMiscDlg.h"
#include "pages/CMoreSecurityDlg.h"
#include "pages/CNewDlg.h"
#include "pages/CPrefsDlg.h"
#include "pages/CRegInfoDlg.h"
#include "pages/CSecurityDlg.h"
#include "pages/CSettingPage.h"
#include "pages/CStartMenuDlg.h"
#include "pages/CSystemDlg.h"
#include "pages/CSystemNtDlg.h"
#include "pages/CUninstallDlg.h"
#include "pages/CWallpaperDlg.h"
#include "res/resource.h"
#include "settings/OsVersion.h"
#include "settings/Pages.h"
#include "settings/ProgramHelp.h"
#include "system/Services.h"

class CMainWindow : public CDialog {
  public:
    enum { IDD = IDD_MAIN };
    explicit CMainWindow(velmora::Services services, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    // One row per page, in the order of the tabs (velmora::AllPages, which gives its title and the Windows
    // it is shown on). Each page object names its own template (its IDD).
    struct PageRow {
        velmora::PageId id;
        CPropertyPage* page;
        std::function<void()> setUpButtons;  // its icon buttons; empty when it has none
        CSettingPage* applied;  // a setting page, loaded here and saved by Apply; null for the others
        std::function<bool()> restartNeeded;  // empty when it never asks for a restart
    };
    void BuildPageTable();
    void AddPages();
    void PlaceSheetOverFrame();
    void CreatePageWindows();
    void SetUpButtons();
    void LoadPages();
    void LoadListPages();
    // A message of the list reader: one list read, or (lParam 0) the end of its reading.
    void OnListRead(LPARAM posted);
    void DisableWhatNtLacks();
    // Applies the touched settings; false when a setting could not be saved (the user has been told).
    bool ApplyChanges();
    bool RestartNeeded() const;
    void PromptRestart();
    void OnHelp();
    // F1: the shown page's topic.
    void OnPageHelp();
    void OnPaintMinimised();

    velmora::Services m_services;
    velmora::ProgramHelp m_help;

    // Declaration order is construction order.
    HICON m_hIcon = nullptr;
    CIconButton m_okButton;
    CIconButton m_cancelButton;
    CIconButton m_helpButton;
    CIconButton m_applyButton;
    CPropertySheet m_sheet;
    CStartMenuDlg m_startMenuPage;
    CDesktopDlg m_desktopPage;
    CMiscDlg m_miscPage;
    CSystemDlg m_systemPage;
    CSystemNtDlg m_systemNtPage;
    CInternetDlg m_internetPage;
    CSecurityDlg m_securityPage;
    CUninstallDlg m_uninstallPage;
    CRegInfoDlg m_regInfoPage;
    CNewDlg m_newPage;
    CFolderDlg m_folderPage;
    CAboutDialog m_aboutPage;
    CPromoDlg m_promo;
    CWallpaperDlg m_wallpaperPage;
    CMoreSecurityDlg m_moreSecurityPage;
    CInternetExplorerDlg m_internetExplorerPage;
    CPrefsDlg m_prefsPage;
    std::vector<PageRow> m_pages;
    velmora::WindowsTraits m_windows;
    // Reads the list pages' lists while the window starts; none when it could not be started, and the
    // lists are then read here as the window starts.
    CStartupListReader m_listReader;
    bool m_listsInBackground = false;
};
