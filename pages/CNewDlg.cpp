#include "pages/CNewDlg.h"

#include "pages/ListBoxFill.h"
#include "pages/WaitingList.h"
#include "res/resource.h"

using velmora::ShellNewList;

namespace {

constexpr const char* kNotice =
    "If you remove an entry here you will not be able to get it back. It will be completely removed from "
    "the registry.";

}  // namespace

CNewDlg::CNewDlg(velmora::Services services) : CPropertyPage(IDD), m_list(services) {}

void CNewDlg::SetUpButtons() {
    m_removeButton.SubclassDlgItem(ShellNewList::kRemoveButton, this);
    m_removeButton.LoadIcons(IDI_DELETE, 0, 32, 32);
    m_removeButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
}

void CNewDlg::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, ShellNewList::kNoticeEdit, m_strNoticeDisplay);
}

BOOL CNewDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    ::EnableWindow(GetDlgItemHwnd(ShellNewList::kRemoveButton), FALSE);
    m_strNoticeDisplay = kNotice;
    UpdateData(FALSE);
    ShowWaiting();
    return TRUE;
}

void CNewDlg::Load() {
    m_list.Load();
    ShowEntries();
}

void CNewDlg::ShowStartupEntries(std::vector<velmora::ShellNewEntry> entries) {
    if (m_list.AdoptRead(std::move(entries))) {
        ShowEntries();
        UpdateData(FALSE);
        RefreshCursorOver(m_hWnd);
    }
}

void CNewDlg::ShowWaiting() {
    ::EnableWindow(GetDlgItemHwnd(ShellNewList::kTypeList), !m_list.Waiting());
}

void CNewDlg::ShowEntries() {
    if (m_hWnd == nullptr) {
        return;
    }
    FillListBoxFrom(
        GetDlgItemHwnd(ShellNewList::kTypeList), m_list.Entries(),
        [](const velmora::ShellNewEntry& entry) -> const std::string& { return entry.description; });
    ShowWaiting();
}

std::vector<std::string> CNewDlg::SelectedTexts() const {
    const HWND list = GetDlgItemHwnd(ShellNewList::kTypeList);
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
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == LB_ERR) {
            continue;
        }
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT copied = ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                              reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        texts.push_back(std::move(text));
    }
    return texts;
}

void CNewDlg::OnRemove() {
    const auto owner = reinterpret_cast<velmora::WindowRef>(CWnd::TopLevelOf(m_hWnd));
    m_list.Remove(SelectedTexts(), owner);
    ::EnableWindow(GetDlgItemHwnd(ShellNewList::kRemoveButton), FALSE);
    ShowEntries();
}

BOOL CNewDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int control = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (control == ShellNewList::kTypeList && notification == LBN_SELCHANGE) {
        ::EnableWindow(GetDlgItemHwnd(ShellNewList::kRemoveButton), TRUE);
        return TRUE;
    }
    if (control == ShellNewList::kRemoveButton && notification == BN_CLICKED) {
        OnRemove();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CNewDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (m_list.Waiting() && SetWaitCursor(message, result)) {
        return TRUE;
    }
    return CPropertyPage::OnWndMsg(message, wParam, lParam, result);
}
