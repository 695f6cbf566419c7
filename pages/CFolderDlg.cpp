#include "pages/CFolderDlg.h"

#include "pages/ListBoxFill.h"
#include "pages/WaitingList.h"
#include "res/resource.h"
#include "text/win32/WindowText.h"

using velmora::FolderRunList;

namespace {

void FillListBox(HWND list, const std::vector<std::string>& names) {
    FillListBoxFrom(list, names, [](const std::string& name) -> const std::string& { return name; });
}

}  // namespace

CFolderDlg::CFolderDlg(velmora::Services services) : CPropertyPage(IDD), m_list(services) {}

void CFolderDlg::SetUpButtons() {
    m_changePathButton.SetUp(this, IDC_FOLDERSRUN_CHANGE_PATH_BUTTON, IDI_BROWSE);
    m_deleteButton.SetUp(this, IDC_FOLDERSRUN_DELETE_BUTTON, IDI_DELETE);
    m_editButton.SetUp(this, IDC_FOLDERSRUN_EDIT_BUTTON, IDI_EDIT);
    m_folderEditor.m_useIconButtons = TRUE;
    m_autorunEditor.m_useIconButtons = TRUE;
}

void CFolderDlg::Load() {
    LoadFolders();
    LoadAutoruns();
}

void CFolderDlg::LoadFolders() {
    m_list.LoadFolders();
    ShowAll();
}

void CFolderDlg::LoadAutoruns() {
    m_list.LoadAutoruns();
    ShowAll();
}

void CFolderDlg::ShowStartupLists(velmora::FolderRunRead lists) {
    if (m_list.AdoptRead(std::move(lists))) {
        ShowAll();
        RefreshCursorOver(m_hWnd);
    }
}

void CFolderDlg::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_FOLDERSRUN_SOURCE_COMBO, m_sourceCombo);
    DDX_Control(dx, IDC_FOLDERSRUN_AUTORUN_LIST, m_autorunList);
    DDX_Control(dx, IDC_FOLDERSRUN_FOLDER_LIST, m_folderList);
    DDX_Text(dx, IDC_FOLDERSRUN_PATH_TEXT, m_list.pathText);
    DDX_CBIndex(dx, IDC_FOLDERSRUN_SOURCE_COMBO, m_list.source);
}

BOOL CFolderDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    ShowEnabled();
    return TRUE;
}

void CFolderDlg::ShowLists() {
    if (m_shownFolderReads != m_list.FolderReads()) {
        FillListBox(m_folderList.m_hWnd, m_list.Folders());
        m_shownFolderReads = m_list.FolderReads();
    }
    if (m_shownAutorunReads != m_list.AutorunReads()) {
        FillListBox(m_autorunList.m_hWnd, m_list.Autoruns());
        m_shownAutorunReads = m_list.AutorunReads();
    }
}

void CFolderDlg::ShowEnabled() {
    const FolderRunList::Enabled& on = m_list.enabled;
    // Until the lists are there, neither they nor the source combo (which would read one) take input.
    const BOOL listsThere = !m_list.Waiting();
    ::EnableWindow(GetDlgItemHwnd(IDC_FOLDERSRUN_FOLDER_LIST), on.folderList && listsThere);
    ::EnableWindow(GetDlgItemHwnd(IDC_FOLDERSRUN_AUTORUN_LIST), listsThere);
    ::EnableWindow(GetDlgItemHwnd(IDC_FOLDERSRUN_SOURCE_COMBO), listsThere);
    ::EnableWindow(GetDlgItemHwnd(IDC_FOLDERSRUN_CHANGE_PATH_BUTTON), on.changePath);
    ::EnableWindow(GetDlgItemHwnd(IDC_FOLDERSRUN_DELETE_BUTTON), on.deleteEntry);
    ::EnableWindow(GetDlgItemHwnd(IDC_FOLDERSRUN_EDIT_BUTTON), on.editEntry);
}

void CFolderDlg::ShowAll() {
    ShowLists();
    UpdateData(FALSE);
    ShowEnabled();
}

CWnd* CFolderDlg::TopLevel() {
    CWnd* top = CWnd::FromHandlePermanent(CWnd::TopLevelOf(m_hWnd));
    return top != nullptr ? top : this;
}

velmora::WindowRef CFolderDlg::Owner() {
    return reinterpret_cast<velmora::WindowRef>(CWnd::TopLevelOf(m_hWnd));
}

FolderRunList::EditResult CFolderDlg::Edit(CValueEditDlg& editor, const std::string& name,
                                           const std::string& text) {
    editor.m_name = name;
    editor.m_text = text;
    editor.SetOwner(TopLevel());
    const bool ok = editor.DoModal() == IDOK;
    return {ok, editor.m_changed != FALSE, editor.m_text};
}

BOOL CFolderDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    const auto editFolder = [this](const std::string& name, const std::string& path) {
        return Edit(m_folderEditor, name, path);
    };
    const auto editAutorun = [this](const std::string& name, const std::string& command) {
        return Edit(m_autorunEditor, name, command);
    };
    const auto selected = [this](int list) {
        return velmora::text::SelectedListBoxLine(GetDlgItemHwnd(list));
    };
    if (control == IDC_FOLDERSRUN_FOLDER_LIST && notification == LBN_SELCHANGE) {
        if (const auto name = selected(IDC_FOLDERSRUN_FOLDER_LIST)) {
            m_list.SelectFolder(*name);
            ShowAll();
        }
        return TRUE;
    }
    if (notification == BN_CLICKED && control == IDC_FOLDERSRUN_CHANGE_PATH_BUTTON) {
        UpdateData(TRUE);
        m_list.ChangeFolderPath(selected(IDC_FOLDERSRUN_FOLDER_LIST), editFolder, Owner());
        ShowAll();
        return TRUE;
    }
    if (control == IDC_FOLDERSRUN_SOURCE_COMBO && notification == CBN_SELCHANGE) {
        UpdateData(TRUE);
        m_list.LoadAutoruns();
        ShowAll();
        return TRUE;
    }
    if (control == IDC_FOLDERSRUN_AUTORUN_LIST && notification == LBN_SELCHANGE) {
        m_list.SelectAutorun();
        ShowEnabled();
        return TRUE;
    }
    if (notification == BN_CLICKED && control == IDC_FOLDERSRUN_DELETE_BUTTON) {
        UpdateData(TRUE);
        m_list.DeleteAutorun(selected(IDC_FOLDERSRUN_AUTORUN_LIST), Owner());
        ShowAll();
        return TRUE;
    }
    if (notification == BN_CLICKED && control == IDC_FOLDERSRUN_EDIT_BUTTON) {
        UpdateData(TRUE);
        m_list.EditAutorun(selected(IDC_FOLDERSRUN_AUTORUN_LIST), editAutorun, Owner());
        ShowAll();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CFolderDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (m_list.Waiting() && SetWaitCursor(message, result)) {
        return TRUE;
    }
    return CPropertyPage::OnWndMsg(message, wParam, lParam, result);
}
