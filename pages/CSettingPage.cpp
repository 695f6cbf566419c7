#include "pages/CSettingPage.h"

namespace {

constexpr int kApplyButton = 1010;

}  // namespace

BOOL CSettingPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_model.Touch(LOWORD(wParam), HIWORD(wParam))) {
        EnableApply();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CSettingPage::EnableApply() {
    const HWND sheet = ::GetParent(m_hWnd);
    const HWND mainWindow = sheet != nullptr ? ::GetParent(sheet) : nullptr;
    if (mainWindow != nullptr) {
        ::EnableWindow(::GetDlgItem(mainWindow, kApplyButton), TRUE);
    }
}
