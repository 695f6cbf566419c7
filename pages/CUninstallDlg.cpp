#include "pages/CUninstallDlg.h"

#include <vector>

#include "framework/WinApp.h"
#include "res/resource.h"

using velmora::UninstallList;

namespace {

constexpr const char* kNotice =
    "You will not be able to uninstall this program if you remove it from the Add/Remove list. So remove "
    "only if Uninstall doesn't work!";

}  // namespace

CUninstallDlg::CUninstallDlg(velmora::Services services)
    : CEntryListPage(IDD, services, kNotice), m_editor(this) {}

void CUninstallDlg::SetUpButtons() {
    m_editButton.SubclassDlgItem(UninstallList::kEditButton, this);
    m_editButton.LoadIcons(IDI_EDIT);
    m_editButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
    CEntryListPage::SetUpButtons();
    m_editor.m_useIconButtons = TRUE;
}

void CUninstallDlg::EnableButtons(BOOL enable) {
    ::EnableWindow(GetDlgItemHwnd(UninstallList::kRemoveButton), enable);
    ::EnableWindow(GetDlgItemHwnd(UninstallList::kEditButton), enable);
}

bool CUninstallDlg::SelectedName(std::string& name) const {
    const HWND list = GetDlgItemHwnd(UninstallList::kList);
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
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == UninstallList::kEditButton) {
        OnEdit();
        return TRUE;
    }
    return CEntryListPage::OnCommand(wParam, lParam);
}
