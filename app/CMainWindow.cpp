#include "app/CMainWindow.h"

#include "framework/Dc.h"
#include "framework/WinApp.h"
#include "pages/StartupObserver.h"
#include "res/resource.h"
#include "settings/ApplyCycle.h"
#include "settings/OsVersion.h"
#include "settings/Pages.h"

namespace {

constexpr int kFrameId = IDC_MAIN_FRAME;
constexpr int kApplyId = IDC_MAIN_APPLY_BUTTON;
constexpr int kHelpId = IDC_MAIN_HELP_BUTTON;
constexpr DWORD kShowWindowWait =
    1200;  // milliseconds the promotional window stays after the main window shows
constexpr UINT kListReadMessage = WM_APP + 20;  // from the list reader: a list read, or the end
// What the Preferences page shows on Windows NT instead of the pages and tools NT lacks.
constexpr char kDisabledOnNt[] = "Disabled WinNt";

}  // namespace

CMainWindow::CMainWindow(velmora::Services services, CWnd* parent)
    : CDialog(IDD, parent),
      m_services(services),
      m_help(services),
      m_startMenuPage(services),
      m_desktopPage(services),
      m_miscPage(services),
      m_securityPage(services),
      m_uninstallPage(services),
      m_newPage(services),
      m_folderPage(services),
      m_aboutPage(services) {
    m_hIcon = static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_VELMORA),
                                              IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    // Shown at once, with no owner: the application has no main window yet. It is painted now, since no
    // message loop runs until the main window is up and it is gone by then.
    if (m_promo.Create(CPromoDlg::IDD, nullptr)) {
        ::RedrawWindow(m_promo.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    BuildPageTable();
}

void CMainWindow::BuildPageTable() {
    using velmora::PageId;
    const auto buttons = [](auto& page) { return [&page] { page.SetUpButtons(); }; };
    const auto restart = [](CSettingPage& page) { return [&page] { return page.Rows().RestartNeeded(); }; };
    const auto folderRestart = [this] { return m_folderPage.RestartNeeded(); };
    // clang-format off
    m_pages = {
        // page                                             icon buttons                     setting page      restart
        {PageId::kStartMenu,        &m_startMenuPage,        buttons(m_startMenuPage),        &m_startMenuPage, restart(m_startMenuPage)},
        {PageId::kDesktop,          &m_desktopPage,          buttons(m_desktopPage),          &m_desktopPage,   restart(m_desktopPage)},
        {PageId::kMiscellaneous,    &m_miscPage,             {},                              &m_miscPage,      restart(m_miscPage)},
        {PageId::kAddRemove,        &m_uninstallPage,        buttons(m_uninstallPage),        nullptr,          {}},
        {PageId::kNew,              &m_newPage,              buttons(m_newPage),              nullptr,          {}},
        {PageId::kFoldersRun,       &m_folderPage,           buttons(m_folderPage),           nullptr,          folderRestart},
        // Applied on every system, shown and loaded on Windows 9x only.
        {PageId::kSecurity,         &m_securityPage,         {},                              &m_securityPage,  restart(m_securityPage)},
        {PageId::kSystem,           &m_systemPage,           {},                              nullptr,          {}},
        {PageId::kSystemNt,         &m_systemNtPage,         buttons(m_systemNtPage),         nullptr,          {}},
        {PageId::kWallpaper,        &m_wallpaperPage,        buttons(m_wallpaperPage),        nullptr,          {}},
        {PageId::kInternetExplorer, &m_internetExplorerPage, buttons(m_internetExplorerPage), nullptr,          {}},
        {PageId::kInternet,         &m_internetPage,         {},                              nullptr,          {}},
        {PageId::kRegInfo,          &m_regInfoPage,          {},                              nullptr,          {}},
        {PageId::kMoreSecurity,     &m_moreSecurityPage,     {},                              nullptr,          {}},
        {PageId::kPreferences,      &m_prefsPage,            buttons(m_prefsPage),            nullptr,          {}},
        {PageId::kAbout,            &m_aboutPage,            {},                              nullptr,          {}},
    };
    // clang-format on
}

void CMainWindow::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
}

BOOL CMainWindow::OnInitDialog() {
    velmora::StartupObserver& observer = velmora::TheStartupObserver();
    observer.Step("init");
    // The lists are read while the pages are made and the window appears; each list page shows its list
    // when it arrives.
    m_listsInBackground = m_listReader.Start(m_hWnd, kListReadMessage);
    if (m_listsInBackground) {
        observer.ListsAwaited(3);
    }
    CDialog::OnInitDialog();
    // What this Windows shows and loads, asked once.
    m_windows = velmora::WindowsTraits::Of(m_services.registry, m_services.parameters);
    m_sheet.EnableStackedTabs(FALSE);
    AddPages();
    m_sheet.Create(this, WS_CHILD | WS_VISIBLE, 0);
    // The dialog manager then takes the pages' controls into this window's Tab order.
    m_sheet.ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    m_sheet.ModifyStyle(0, WS_TABSTOP);
    PlaceSheetOverFrame();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CreatePageWindows();
    observer.Step("pages created");
    SetUpButtons();
    observer.Step("buttons set up");
    LoadPages();
    DisableWhatNtLacks();
    ::EnableWindow(GetDlgItemHwnd(kApplyId), FALSE);
    observer.Step("init done");
    return TRUE;
}

void CMainWindow::AddPages() {
    for (const PageRow& row : m_pages) {
        if (velmora::IsShown(row.id, m_windows)) {
            m_sheet.AddPage(row.page);
        }
    }
}

void CMainWindow::PlaceSheetOverFrame() {
    RECT frame{};
    ::GetWindowRect(GetDlgItemHwnd(kFrameId), &frame);
    ScreenToClient(&frame);
    m_sheet.MoveWindow(frame, TRUE);
}

void CMainWindow::CreatePageWindows() {
    // Every page window is made once, last to first, leaving the first page active.
    m_sheet.SetRedraw(FALSE);
    for (int index = m_sheet.GetPageCount() - 1; index >= 0; --index) {
        m_sheet.SetActivePage(index);
    }
    m_sheet.SetRedraw(TRUE);
    m_sheet.Invalidate();
}

void CMainWindow::SetUpButtons() {
    // Each button: attached, given its icon at the system's icon size, and the blue hot caption.
    const struct {
        CIconButton& button;
        int control;
        int icon;
    } buttons[] = {{m_okButton, IDOK, IDI_OK},
                   {m_cancelButton, IDCANCEL, IDI_CANCEL},
                   {m_applyButton, kApplyId, IDI_APPLY},
                   {m_helpButton, kHelpId, IDI_HELP}};
    for (const auto& b : buttons) {
        b.button.SetUp(this, b.control, b.icon);
    }
    // The pages' own buttons; a page that is not shown has no window.
    for (const PageRow& row : m_pages) {
        if (row.setUpButtons && velmora::IsShown(row.id, m_windows)) {
            row.setUpButtons();
        }
    }
}

void CMainWindow::LoadPages() {
    // Shown from the About page's second activation on.
    m_aboutPage.SetMessages("Download the latest version at my web site.", "");
    for (const PageRow& row : m_pages) {
        if (row.applied != nullptr && velmora::IsShown(row.id, m_windows)) {
            row.applied->Load(m_windows);
        }
    }
    if (!m_listsInBackground) {
        LoadListPages();
    }
    UpdateData(FALSE);
}

void CMainWindow::LoadListPages() {
    m_uninstallPage.Load();
    m_uninstallPage.UpdateData(FALSE);
    m_newPage.Load();
    m_newPage.UpdateData(FALSE);
    m_folderPage.LoadFolders();
    m_folderPage.LoadAutoruns();
    m_folderPage.UpdateData(FALSE);
}

void CMainWindow::OnListRead(LPARAM posted) {
    using Page = velmora::StartupList::Page;
    velmora::StartupObserver& observer = velmora::TheStartupObserver();
    if (posted == 0) {
        // The reader has ended: a list it could not read (or one its page refused) is read here.
        if (m_uninstallPage.Settings().Waiting()) {
            m_uninstallPage.Load();
            m_uninstallPage.UpdateData(FALSE);
            observer.ListFilled(Page::kUninstall);
        }
        if (m_newPage.Settings().Waiting()) {
            m_newPage.Load();
            m_newPage.UpdateData(FALSE);
            observer.ListFilled(Page::kShellNew);
        }
        if (m_folderPage.Settings().Waiting()) {
            m_folderPage.Load();
            m_folderPage.UpdateData(FALSE);
            observer.ListFilled(Page::kFolderRun);
        }
        return;
    }
    std::unique_ptr<velmora::StartupList> list = m_listReader.Take(posted);
    if (list == nullptr) {
        return;
    }
    switch (list->page) {
        case Page::kFolderRun:
            m_folderPage.ShowStartupLists(std::move(list->folderRun));
            observer.ListFilled(Page::kFolderRun);
            break;
        case Page::kUninstall:
            m_uninstallPage.ShowStartupEntries(std::move(list->uninstall));
            observer.ListFilled(Page::kUninstall);
            break;
        case Page::kShellNew:
            m_newPage.ShowStartupEntries(std::move(list->shellNew));
            observer.ListFilled(Page::kShellNew);
            break;
    }
}

void CMainWindow::DisableWhatNtLacks() {
    if (!m_windows.nt) {
        return;
    }
    m_prefsPage.DisableForWindowsNt(kDisabledOnNt);
    m_desktopPage.DisableShortcutArrows();
}

bool CMainWindow::ApplyChanges() {
    // The setting pages in their fixed order, whether shown or not.
    std::vector<velmora::ApplyTarget> pages;
    for (const PageRow& row : m_pages) {
        if (row.applied != nullptr) {
            pages.push_back({row.applied, velmora::TitleOf(row.id)});
        }
    }
    const velmora::ApplyOutcome outcome = velmora::ApplyTouchedSettings(m_services, pages);
    const auto owner = reinterpret_cast<velmora::WindowRef>(m_hWnd);
    velmora::ReportFailures(m_services, owner, outcome.failed);
    // A change Windows will not use, because a machine-wide policy overrides it, is not left unsaid.
    velmora::ReportOverrides(m_services.messages, owner, outcome.overridden);
    // A setting that could not be saved is still marked, and Apply stays lit for another try.
    bool marked = false;
    for (const velmora::ApplyTarget& page : pages) {
        marked = marked || page.page->Rows().AnyChanged();
    }
    ::EnableWindow(GetDlgItemHwnd(kApplyId), marked ? TRUE : FALSE);
    return outcome.failed.empty();
}

bool CMainWindow::RestartNeeded() const {
    // The other pages never ask for a restart in this edition.
    for (const PageRow& row : m_pages) {
        if (row.restartNeeded && row.restartNeeded()) {
            return true;
        }
    }
    return false;
}

void CMainWindow::PromptRestart() {
    if (velmora::AskRestart(m_services.messages, reinterpret_cast<velmora::WindowRef>(m_hWnd))) {
        CDialog::OnOK();
        // A refusal is told to the user without an owner: this window has ended.
        velmora::RestartWindows(m_services);
    }
}

void CMainWindow::OnOK() {
    if (!ApplyChanges()) {
        // The user has been told what could not be saved; the window stays for another try or Cancel.
        return;
    }
    if (RestartNeeded()) {
        PromptRestart();
    }
    CDialog::OnOK();
}

void CMainWindow::OnHelp() {
    m_help.ShowContents(reinterpret_cast<velmora::WindowRef>(m_hWnd));
}

void CMainWindow::OnPageHelp() {
    const CPropertyPage* page = m_sheet.GetActivePage();
    if (page == nullptr) {
        OnHelp();
        return;
    }
    m_help.ShowTopic(reinterpret_cast<velmora::WindowRef>(m_hWnd), static_cast<int>(page->m_nIDHelp));
}

BOOL CMainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case kApplyId:
                ApplyChanges();
                return TRUE;
            case kHelpId:
                OnHelp();
                return TRUE;
            default:
                break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CMainWindow::OnPaintMinimised() {
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    RECT client{};
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

BOOL CMainWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_SHOWWINDOW:
            // The promotional window stays a moment longer while this window appears.
            ::Sleep(kShowWindowWait);
            if (m_promo.m_hWnd != nullptr && ::IsWindow(m_promo.m_hWnd)) {
                m_promo.DestroyWindow();
            }
            if (wParam) {
                velmora::TheStartupObserver().WindowShown(reinterpret_cast<std::uintptr_t>(m_hWnd));
            }
            return FALSE;
        case WM_PAINT:
            if (IsIconic()) {
                OnPaintMinimised();
                *result = 0;
                return TRUE;
            }
            return FALSE;
        case WM_QUERYDRAGICON:
            *result = reinterpret_cast<LRESULT>(m_hIcon);
            return TRUE;
        case kListReadMessage:
            OnListRead(lParam);
            *result = 0;
            return TRUE;
        case WM_HELP:
            // F1, wherever the focus is in this window.
            OnPageHelp();
            *result = TRUE;
            return TRUE;
        case WM_DESTROY:
            // Closed while the lists are read: the reader stops at its next key and posts nothing more.
            m_listReader.Stop();
            // The help viewer this window opened goes with it.
            m_help.Close(reinterpret_cast<velmora::WindowRef>(m_hWnd));
            return CDialog::OnWndMsg(message, wParam, lParam, result);
        default:
            return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
}
