// The Internet Explorer page: cookies and a Word option on the left, and on the right four option
// panels stacked in one frame, of which the "&Options" menu shows one at a time. Inert in this edition.
#pragma once

#include "controls/CIconButton.h"
#include "framework/ToolTipCtrl.h"
#include "pages/CIeMiscDlg.h"
#include "pages/CIeUrlDlg.h"
#include "pages/CIeUrlTemplateDlg.h"
#include "pages/CInertPage.h"
#include "pages/COutlookExpressDlg.h"

class CInternetExplorerDlg : public CInertPage {
  public:
    enum { IDD = 175 };
    enum : int {
        kCookieList = 1173,
        kDeleteButton = 1174,
        kLiveScrollingBox = 1181,
        kPanelFrame = 1269,
        kOptionsButton = 1273,
    };
    // The Options menu (resource 207) and its commands.
    enum : int {
        kOptionsMenu = 207,
        kShowDefaultUrls = 32771,
        kShowUrlTemplates = 32772,
        kShowOutlookExpress = 32773,
        kShowMiscellaneous = 32774,
    };
    CInternetExplorerDlg();

    void SetUpButtons();
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

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
    CToolTipCtrl m_toolTip;
    CWnd m_cookieList;
    int m_liveScrolling = 0;
};
