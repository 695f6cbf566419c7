#include "pages/CInternetExplorerDlg.h"

#include "framework/WinApp.h"
#include "res/resource.h"

CInternetExplorerDlg::CInternetExplorerDlg() : CInertPage(IDD) {}

BOOL CInternetExplorerDlg::PreTranslateMessage(MSG* msg) {
    m_toolTips.Relay(msg);
    return CInertPage::PreTranslateMessage(msg);
}

void CInternetExplorerDlg::SetUpButtons() {
    m_deleteButton.SetUp(this, kDeleteButton, IDI_DELETE);
    m_optionsButton.SetUp(this, kOptionsButton, IDI_OPTIONS);
    m_miscPanel.SetUpButtons();
}

void CInternetExplorerDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Control(dx, kCookieList, m_cookieList);
}

BOOL CInternetExplorerDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    m_urlPanel.Create(CIeUrlDlg::IDD, this);
    m_urlTemplatePanel.Create(CIeUrlTemplateDlg::IDD, this);
    m_miscPanel.Create(CIeMiscDlg::IDD, this);
    m_outlookExpressPanel.Create(COutlookExpressDlg::IDD, this);

    // The panels lie on top of each other over the frame; only the Default URLs one is visible (its
    // template's style says so).
    RECT frame{};
    ::GetWindowRect(GetDlgItemHwnd(kPanelFrame), &frame);
    ScreenToClient(&frame);
    for (CWnd* panel : {static_cast<CWnd*>(&m_urlPanel), static_cast<CWnd*>(&m_urlTemplatePanel),
                        static_cast<CWnd*>(&m_miscPanel), static_cast<CWnd*>(&m_outlookExpressPanel)}) {
        panel->MoveWindow(frame, TRUE);
    }

    ::EnableWindow(GetDlgItemHwnd(kDeleteButton), FALSE);
    m_toolTips.Add(this, kOptionsButton, "Click to switch between different IE options!");
    return TRUE;
}

BOOL CInternetExplorerDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0) {
        if (id == kOptionsButton && HIWORD(wParam) == BN_CLICKED) {
            ShowOptionsMenu();
            return TRUE;
        }
        return CInertPage::OnCommand(wParam, lParam);
    }
    switch (id) {
        case kShowDefaultUrls:
            ShowPanel(m_urlPanel);
            return TRUE;
        case kShowUrlTemplates:
            ShowPanel(m_urlTemplatePanel);
            return TRUE;
        case kShowMiscellaneous:
            ShowPanel(m_miscPanel);
            return TRUE;
        case kShowOutlookExpress:
            ShowPanel(m_outlookExpressPanel);
            return TRUE;
        default:
            return CInertPage::OnCommand(wParam, lParam);
    }
}

void CInternetExplorerDlg::ShowOptionsMenu() {
    RECT button{};
    ::GetWindowRect(GetDlgItemHwnd(kOptionsButton), &button);
    const HMENU menu = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(kOptionsMenu));
    if (menu == nullptr) {
        return;
    }
    // Drops down from the button's bottom-left corner; the chosen command comes back to this page.
    ::TrackPopupMenu(::GetSubMenu(menu, 0), 0, button.left, button.bottom, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

void CInternetExplorerDlg::ShowPanel(CWnd& panel) {
    for (CWnd* other : {static_cast<CWnd*>(&m_urlPanel), static_cast<CWnd*>(&m_urlTemplatePanel),
                        static_cast<CWnd*>(&m_miscPanel), static_cast<CWnd*>(&m_outlookExpressPanel)}) {
        if (other != &panel) {
            other->ShowWindow(SW_HIDE);
        }
    }
    panel.ShowWindow(SW_SHOW);
}
