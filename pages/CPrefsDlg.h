// The Preferences page: the program's own options (pages to show, button style, password) and four
// system-tool buttons with tooltips, laid out without function in this edition.
#pragma once

#include <array>
#include <string>

#include "controls/CIconButton.h"
#include "framework/ToolTipCtrl.h"
#include "pages/CInertPage.h"

class CPrefsDlg : public CInertPage {
  public:
    enum { IDD = 185 };
    enum : int {
        kInternetBox = 1189,
        kSecurityBox = 1190,
        kMoreSecurityBox = 1197,
        kRegeditButton = 1199,
        kSyseditButton = 1200,
        kSystemInfoButton = 1201,
        kIpConfigButton = 1202,
        kLanguageList = 1214,
    };
    CPrefsDlg();

    void SetUpButtons();
    BOOL ButtonsSetUp() const { return m_buttonsSetUp; }
    // On Windows NT: the pages and tools NT lacks are disabled and show `caption` instead.
    void DisableForWindowsNt(const std::string& caption);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    static constexpr int kToolCount = 4;

    std::array<int, 15> m_checks{};  // the fifteen boxes, in exchange order
    int m_languageIndex = -1;
    std::array<CIconButton, kToolCount> m_toolButtons;
    std::array<CToolTipCtrl, kToolCount> m_toolTips;
    BOOL m_buttonsSetUp = FALSE;
};
