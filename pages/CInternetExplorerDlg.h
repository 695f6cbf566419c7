// The Internet Explorer page: cookies and a Word option on the left, and on the right four option
// panels stacked in one frame, of which the "&Options" menu shows one at a time. Inert in this edition.
#pragma once

#include "controls/CIconButton.h"
#include "pages/CIeMiscDlg.h"
#include "pages/CIeUrlDlg.h"
#include "pages/CIeUrlTemplateDlg.h"
#include "pages/CInertPage.h"
#include "pages/COutlookExpressDlg.h"
#include "pages/PageToolTips.h"
#include "res/resource.h"

class CInternetExplorerDlg : public CInertPage {
  public:
    BOOL PreTranslateMessage(MSG* msg) override;
    enum { IDD = IDD_IE };
    enum : int {
        kCookieList = IDC_IE_COOKIE_LIST,
        kDeleteButton = IDC_IE_DELETE_BUTTON,
        kPanelFrame = IDC_IE_PANEL_FRAME,
        kOptionsButton = IDC_IE_OPTIONS_BUTTON,
    };
    // The Options menu and its commands.
    enum : int {
        kOptionsMenu = IDR_IE_OPTIONS_MENU,
        kShowDefaultUrls = IDM_IE_DEFAULT_URLS,
        kShowUrlTemplates = IDM_IE_URL_TEMPLATES,
        kShowOutlookExpress = IDM_IE_OUTLOOK_EXPRESS,
        kShowMiscellaneous = IDM_IE_MISCELLANEOUS,
    };
    CInternetExplorerDlg();

    void SetUpButtons();
    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    void ShowOptionsMenu();
    void ShowPanel(CWnd& panel);

    CIeUrlDlg m_urlPanel;
    CIeUrlTemplateDlg m_urlTemplatePanel;
    CIeMiscDlg m_miscPanel;
    COutlookExpressDlg m_outlookExpressPanel;
    CIconButton m_deleteButton;
    CIconButton m_optionsButton;
    CWnd m_cookieList;
    PageToolTips m_toolTips;
};
