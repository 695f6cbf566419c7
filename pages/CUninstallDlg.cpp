#include "pages/CUninstallDlg.h"

#include <vector>

#include "framework/WinApp.h"
#include "res/resource.h"
#include "text/win32/WindowText.h"

namespace {

constexpr const char* kNotice =
    "You will not be able to uninstall this program if you remove it from the Add/Remove list. So remove "
    "only if Uninstall doesn't work!";

}  // namespace

CUninstallDlg::CUninstallDlg(velmora::Services services)
    : CEntryListPage(IDD,
                     {IDC_ADDREMOVE_PROGRAM_LIST, IDC_ADDREMOVE_NOTICE_EDIT, IDC_ADDREMOVE_REMOVE_BUTTON},
                     services, kNotice),
      m_editor(this) {}

void CUninstallDlg::SetUpButtons() {
    m_editButton.SetUp(this, IDC_ADDREMOVE_EDIT_BUTTON, IDI_EDIT);
    CEntryListPage::SetUpButtons();
    m_editor.m_useIconButtons = TRUE;
}

void CUninstallDlg::EnableButtons(BOOL enable) {
    ::EnableWindow(GetDlgItemHwnd(IDC_ADDREMOVE_REMOVE_BUTTON), enable);
    ::EnableWindow(GetDlgItemHwnd(IDC_ADDREMOVE_EDIT_BUTTON), enable);
}

std::optional<std::string> CUninstallDlg::SelectedName() const {
    return velmora::text::SelectedListBoxLine(GetDlgItemHwnd(IDC_ADDREMOVE_PROGRAM_LIST));
}

HWND CUninstallDlg::ProgramWindow() const {
    return CWnd::TopLevelOf(m_hWnd);
}

void CUninstallDlg::OnRemove() {
    // A removal leaves the buttons enabled while the reloaded list has no selection: then there is
    // nothing to remove.
    const std::optional<std::string> name = SelectedName();
    if (!name) {
        return;
    }
    const auto owner = reinterpret_cast<velmora::WindowRef>(ProgramWindow());
    if (m_list.Remove(*name, owner, AfxGetAppName())) {
        ShowEntries();
    }
}

void CUninstallDlg::OnEdit() {
    const std::optional<std::string> name = SelectedName();
    if (!name) {
        return;
    }
    const velmora::UninstallEntry* entry = m_list.Find(*name);
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
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_ADDREMOVE_EDIT_BUTTON) {
        OnEdit();
        return TRUE;
    }
    return CEntryListPage::OnCommand(wParam, lParam);
}
