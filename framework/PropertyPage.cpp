#include "framework/PropertyPage.h"

#include "framework/WinApp.h"

UINT CALLBACK AfxPropPageCallback(HWND, UINT message, PROPSHEETPAGEA* psp) {
    if (message == PSPCB_CREATE && psp != nullptr) {
        // The page's window is made next: attach its object before its first message.
        CWnd::HookWindowCreate(reinterpret_cast<CPropertyPage*>(psp->lParam));
    }
    return 1;
}

INT_PTR CALLBACK AfxPageDlgProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    // Only reached when the page was not attached at creation (a sheet that skips the page callback).
    if (message == WM_INITDIALOG && CWnd::FromHandlePermanent(hwnd) == nullptr && lParam != 0) {
        CWnd::UnhookWindowCreate();
        auto* page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        if (page != nullptr && page->SubclassWindow(hwnd)) {
            try {
                return page->OnInitDialog();
            } catch (...) {
                return FALSE;
            }
        }
    }
    return FALSE;
}

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetInstanceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
    m_psp.pfnDlgProc = &AfxPageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = &AfxPropPageCallback;
}

BOOL CPropertyPage::OnSetActive() {
    if (m_firstSetActive) {
        m_firstSetActive = false;
    } else {
        UpdateData(FALSE);
    }
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
        case PSN_SETACTIVE:
            *result = OnSetActive() ? 0 : -1;
            return TRUE;
        case PSN_KILLACTIVE:
            *result = OnKillActive() ? FALSE : TRUE;
            return TRUE;
        default:
            return FALSE;
    }
}
