#include "pages/CNewDlg.h"

#include "res/resource.h"
#include "text/win32/WindowText.h"

namespace {

constexpr const char* kNotice =
    "If you remove an entry here you will not be able to get it back. It will be completely removed from "
    "the registry.";

}  // namespace

CNewDlg::CNewDlg(velmora::Services services)
    : CEntryListPage(IDD, {IDC_NEW_TYPE_LIST, IDC_NEW_NOTICE_EDIT, IDC_NEW_REMOVE_BUTTON}, services,
                     kNotice) {}

void CNewDlg::EnableButtons(BOOL enable) {
    ::EnableWindow(GetDlgItemHwnd(IDC_NEW_REMOVE_BUTTON), enable);
}

void CNewDlg::OnRemove() {
    const auto owner = reinterpret_cast<velmora::WindowRef>(CWnd::TopLevelOf(m_hWnd));
    m_list.Remove(velmora::text::SelectedListBoxLines(GetDlgItemHwnd(IDC_NEW_TYPE_LIST)), owner);
    EnableButtons(FALSE);
    ShowEntries();
}
