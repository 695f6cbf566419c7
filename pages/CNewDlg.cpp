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

std::vector<std::string> CNewDlg::SelectedTexts() const {
    const HWND list = GetDlgItemHwnd(IDC_NEW_TYPE_LIST);
    std::vector<std::string> texts;
    // The selected items' indexes in one call, in list order, rather than asking item by item.
    const LRESULT selected = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (selected <= 0) {
        return texts;
    }
    std::vector<int> indexes(static_cast<std::size_t>(selected));
    const LRESULT got = ::SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(selected),
                                       reinterpret_cast<LPARAM>(indexes.data()));
    indexes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    for (const int index : indexes) {
        texts.push_back(velmora::text::ListBoxLine(list, index));
    }
    return texts;
}

void CNewDlg::OnRemove() {
    const auto owner = reinterpret_cast<velmora::WindowRef>(CWnd::TopLevelOf(m_hWnd));
    m_list.Remove(SelectedTexts(), owner);
    EnableButtons(FALSE);
    ShowEntries();
}
