// The Preferences page: the program's own options (pages to show, button style, password) and four
// system-tool buttons with tooltips, laid out without function in this edition.
#pragma once

#include <array>
#include <string>

#include "controls/CIconButton.h"
#include "pages/CInertPage.h"
#include "pages/PageToolTips.h"
#include "res/resource.h"

// A tooltip for each of the four tool buttons (kToolCount).
class CPrefsDlg : public CInertPage {
  public:
    BOOL PreTranslateMessage(MSG* msg) override;
    enum { IDD = IDD_PREFERENCES };
    CPrefsDlg();

    void SetUpButtons();
    // On Windows NT: the pages and tools NT lacks are disabled and show `caption` instead.
    void DisableForWindowsNt(const std::string& caption);

    BOOL OnInitDialog() override;

  private:
    static constexpr int kToolCount = 4;

    std::array<CIconButton, kToolCount> m_toolButtons;
    PageToolTips m_toolTips;
};
