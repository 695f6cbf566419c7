#include "pages/CSettingPage.h"

#include "framework/DataExchange.h"
#include "pages/CPleaseWaitDlg.h"
#include "res/resource.h"

namespace {

constexpr int kApplyButton = IDC_MAIN_APPLY_BUTTON;

void ExchangeControl(CDataExchange* dx, int control, velmora::Shown shown, velmora::BoundMember member) {
    using velmora::Shown;
    switch (shown) {
        case Shown::kCheck:
        case Shown::kFolder:
            DDX_Check(dx, control, *member.number);
            break;
        case Shown::kArrows:
            DDX_Radio(dx, control, *member.number);
            break;
        case Shown::kIconSize:
            DDX_CBIndex(dx, control, *member.number);
            break;
        case Shown::kMenuDelay:
        case Shown::kUserName:
        case Shown::kPassword:
            DDX_Text(dx, control, *member.text);
            break;
    }
}

}  // namespace

void CSettingPage::Load(const velmora::WindowsTraits& windows) {
    velmora::TableModel& model = Rows();
    model.Load(windows);
    for (const velmora::SettingRow& row : model.Rows()) {
        if (!windows.Loads(row.load) && row.control != 0) {
            ::EnableWindow(GetDlgItemHwnd(row.control), FALSE);
        }
    }
    UpdateData(FALSE);
}

void CSettingPage::Follow(const velmora::PageRequests& requests) {
    if (requests.showMembers) {
        UpdateData(FALSE);
    }
    if (requests.pleaseWait) {
        CPleaseWaitDlg dialog;
        dialog.DoModal();
    }
}

void CSettingPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    const bool wasFilling = m_filling;
    m_filling = wasFilling || !dx->m_bSaveAndValidate;
    velmora::TableModel& model = Rows();
    for (const velmora::SettingRow& row : model.Rows()) {
        if (row.control != 0) {
            ExchangeControl(dx, row.control, row.shown, model.Bind(row.shown, row.row));
        }
        for (std::size_t part = 0; part < row.parts.size(); ++part) {
            const velmora::RowPart& p = row.parts[part];
            ExchangeControl(dx, p.control, p.shown, model.Bind(p.shown, static_cast<int>(part)));
        }
    }
    m_filling = wasFilling;
}

BOOL CSettingPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_filling && HIWORD(wParam) == EN_CHANGE) {
        return TRUE;
    }
    if (Rows().Touch(LOWORD(wParam), HIWORD(wParam))) {
        EnableApply();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

HWND CSettingPage::MainWindow() const {
    const HWND sheet = ::GetParent(m_hWnd);
    return sheet != nullptr ? ::GetParent(sheet) : nullptr;
}

void CSettingPage::EnableApply() {
    const HWND mainWindow = MainWindow();
    if (mainWindow != nullptr) {
        ::EnableWindow(::GetDlgItem(mainWindow, kApplyButton), TRUE);
    }
}
