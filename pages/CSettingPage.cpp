#include "pages/CSettingPage.h"

#include "res/resource.h"

namespace {

constexpr int kApplyButton = IDC_MAIN_APPLY_BUTTON;

}  // namespace

BOOL CSettingPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_model.Touch(LOWORD(wParam), HIWORD(wParam))) {
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
