#include "pages/CUninstallDlg.h"

#include <vector>

#include "framework/WinApp.h"
#include "pages/ListBoxFill.h"
#include "pages/WaitingList.h"
#include "res/resource.h"

using velmora::UninstallList;

namespace {

constexpr const char* kNotice =
    "You will not be able to uninstall this program if you remove it from the Add/Remove list. So remove "
    "only if Uninstall doesn't work!";

}  // namespace

CUninstallDlg::CUninstallDlg(velmora::Services services)
    : CPropertyPage(IDD), m_list(services), m_editor(this), m_strNotice(kNotice) {}

void CUninstallDlg::SetUpButtons() {
    m_editButton.SubclassDlgItem(UninstallList::kEditButton, this);
    m_editButton.LoadIcons(IDI_EDIT, 0, 32, 32);
    m_editButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
    m_removeButton.SubclassDlgItem(UninstallList::kRemoveButton, this);
    m_removeButton.LoadIcons(IDI_DELETE, 0, 32, 32);
    m_removeButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
    m_editor.m_useIconButtons = TRUE;
}

void CUninstallDlg::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, UninstallList::kNoticeEdit, m_strNoticeDisplay);
}

BOOL CUninstallDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    EnableButtons(FALSE);
    m_strNoticeDisplay = m_strNotice;
    UpdateData(FALSE);
    ShowWaiting();
    return TRUE;
}

void CUninstallDlg::Load() {
    m_list.Load();
    ShowEntries();
}

void CUninstallDlg::ShowStartupEntries(std::vector<velmora::UninstallEntry> entries) {
    if (m_list.AdoptRead(std::move(entries))) {
        ShowEntries();
        RefreshCursorOver(m_hWnd);
    }
}

void CUninstallDlg::ShowWaiting() {
    ::EnableWindow(GetDlgItemHwnd(UninstallList::kProgramList), !m_list.Waiting());
}

void CUninstallDlg::ShowEntries() {
    if (m_hWnd == nullptr) {
        return;
    }
    FillListBoxFrom(
        GetDlgItemHwnd(UninstallList::kProgramList), m_list.Entries(),
        [](const velmora::UninstallEntry& entry) -> const std::string& { return entry.displayName; });
    UpdateData(FALSE);
    ShowWaiting();
}

void CUninstallDlg::EnableButtons(BOOL enable) {
    ::EnableWindow(GetDlgItemHwnd(UninstallList::kRemoveButton), enable);
    ::EnableWindow(GetDlgItemHwnd(UninstallList::kEditButton), enable);
}

bool CUninstallDlg::SelectedName(std::string& name) const {
    const HWND list = GetDlgItemHwnd(UninstallList::kProgramList);
    const LRESULT index = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        return false;
    }
    const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return false;
    }
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    name.assign(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return true;
}

HWND CUninstallDlg::ProgramWindow() const {
    return CWnd::TopLevelOf(m_hWnd);
}

void CUninstallDlg::OnRemove() {
    // A removal leaves the buttons enabled while the reloaded list has no selection: then there is
    // nothing to remove.
    std::string name;
    if (!SelectedName(name)) {
        return;
    }
    const auto owner = reinterpret_cast<velmora::WindowRef>(ProgramWindow());
    if (m_list.Remove(name, owner, AfxGetAppName())) {
        ShowEntries();
    }
}

void CUninstallDlg::OnEdit() {
    std::string name;
    if (!SelectedName(name)) {
        return;
    }
    const velmora::UninstallEntry* entry = m_list.Find(name);
    if (entry == nullptr) {
        return;
    }
    const std::string keyPath = entry->keyPath;
    m_editor.m_strCommand = entry->uninstallCommand;
    m_editor.m_strDescription = entry->displayName;
    CWnd* programWindow = CWnd::FromHandlePermanent(ProgramWindow());
    m_editor.SetOwner(programWindow != nullptr ? programWindow : this);
    const INT_PTR result = m_editor.DoModal();
    EnableButtons(FALSE);
    if (result == IDOK) {
        const velmora::UninstallEdit edit{m_editor.m_bCommandChanged != FALSE,
                                          m_editor.m_bDescriptionChanged != FALSE, m_editor.m_strCommand,
                                          m_editor.m_strDescription};
        m_list.ApplyEdit(keyPath, edit, reinterpret_cast<velmora::WindowRef>(ProgramWindow()));
    } else {
        m_list.Load();
    }
    ShowEntries();
}

BOOL CUninstallDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (control == UninstallList::kProgramList && notification == LBN_SELCHANGE) {
        EnableButtons(TRUE);
        return TRUE;
    }
    if (notification == BN_CLICKED && control == UninstallList::kRemoveButton) {
        OnRemove();
        return TRUE;
    }
    if (notification == BN_CLICKED && control == UninstallList::kEditButton) {
        OnEdit();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CUninstallDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (m_list.Waiting() && SetWaitCursor(message, result)) {
        return TRUE;
    }
    return CPropertyPage::OnWndMsg(message, wParam, lParam, result);
}
