#include "pages/CFolderDlg.h"

#include "pages/ListBoxFill.h"
#include "pages/WaitingList.h"
#include "res/resource.h"

using velmora::FolderRunList;

namespace {

void FillListBox(HWND list, const std::vector<std::string>& names) {
    FillListBoxFrom(list, names, [](const std::string& name) -> const std::string& { return name; });
}

}  // namespace

CFolderDlg::CFolderDlg(velmora::Services services) : CPropertyPage(IDD), m_list(services) {}

void CFolderDlg::SetUpButtons() {
    const struct {
        CIconButton& button;
        int control;
        int icon;
    } buttons[] = {{m_changePathButton, FolderRunList::kChangePathButton, IDI_BROWSE},
                   {m_deleteButton, FolderRunList::kDeleteButton, IDI_DELETE},
                   {m_editButton, FolderRunList::kEditButton, IDI_EDIT}};
    for (const auto& b : buttons) {
        b.button.SubclassDlgItem(static_cast<UINT>(b.control), this);
        b.button.LoadIcons(b.icon);
        b.button.SetHotTextColor(RGB(0, 0, 255), FALSE);
    }
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
    DDX_Control(dx, FolderRunList::kSourceCombo, m_sourceCombo);
    DDX_Control(dx, FolderRunList::kAutorunList, m_autorunList);
    DDX_Control(dx, FolderRunList::kFolderList, m_folderList);
    DDX_Text(dx, FolderRunList::kPathText, m_list.pathText);
    DDX_CBIndex(dx, FolderRunList::kSourceCombo, m_list.source);
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
    ::EnableWindow(GetDlgItemHwnd(FolderRunList::kFolderList), on.folderList && listsThere);
    ::EnableWindow(GetDlgItemHwnd(FolderRunList::kAutorunList), listsThere);
    ::EnableWindow(GetDlgItemHwnd(FolderRunList::kSourceCombo), listsThere);
    ::EnableWindow(GetDlgItemHwnd(FolderRunList::kChangePathButton), on.changePath);
    ::EnableWindow(GetDlgItemHwnd(FolderRunList::kDeleteButton), on.deleteEntry);
    ::EnableWindow(GetDlgItemHwnd(FolderRunList::kEditButton), on.editEntry);
}

void CFolderDlg::ShowAll() {
    ShowLists();
    UpdateData(FALSE);
    ShowEnabled();
}

std::optional<std::string> CFolderDlg::SelectedText(int listId) const {
    const HWND list = GetDlgItemHwnd(listId);
    const LRESULT index = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        return std::nullopt;
    }
    const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(copied));
    return text;
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
    if (control == FolderRunList::kFolderList && notification == LBN_SELCHANGE) {
        if (const auto name = SelectedText(FolderRunList::kFolderList)) {
            m_list.SelectFolder(*name);
            ShowAll();
        }
        return TRUE;
    }
    if (notification == BN_CLICKED && control == FolderRunList::kChangePathButton) {
        UpdateData(TRUE);
        m_list.ChangeFolderPath(SelectedText(FolderRunList::kFolderList), editFolder, Owner());
        ShowAll();
        return TRUE;
    }
    if (control == FolderRunList::kSourceCombo && notification == CBN_SELCHANGE) {
        UpdateData(TRUE);
        m_list.LoadAutoruns();
        ShowAll();
        return TRUE;
    }
    if (control == FolderRunList::kAutorunList && notification == LBN_SELCHANGE) {
        m_list.SelectAutorun();
        ShowEnabled();
        return TRUE;
    }
    if (notification == BN_CLICKED && control == FolderRunList::kDeleteButton) {
        UpdateData(TRUE);
        m_list.DeleteAutorun(SelectedText(FolderRunList::kAutorunList), Owner());
        ShowAll();
        return TRUE;
    }
    if (notification == BN_CLICKED && control == FolderRunList::kEditButton) {
        UpdateData(TRUE);
        m_list.EditAutorun(SelectedText(FolderRunList::kAutorunList), editAutorun, Owner());
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
