// The Desktop page: desktop and shell settings, icon size and shortcut arrows, and a button that
// rebuilds the shell's icon cache at once. Its settings are the rows of velmora::DesktopSettings' table;
// Apply reaches them through CSettingPage (velmora::AppliedPage), which takes the controls into the
// model's members by the page's data exchange (CSettingPageOf's: the table walked by ExchangeRows) before
// each row is written, and names a row that could not be saved by its caption in the table.
#pragma once

#include "controls/CIconButton.h"
#include "pages/CSettingPageOf.h"
#include "pages/CToolTipPage.h"
#include "res/resource.h"
#include "settings/DesktopSettings.h"
#include "system/Services.h"

class CDesktopDlg : public CToolTipPage<CSettingPageOf<velmora::DesktopSettings>> {
  public:
    enum { IDD = IDD_DESKTOP };
    explicit CDesktopDlg(velmora::Services services);

    void SetUpButtons();
    // Reads the settings into the controls. "Show Windows version on desktop" is read on Windows 98
    // only; elsewhere its box says so and is disabled.
    void Load();
    // Windows NT has no shortcut arrow choice.
    void DisableShortcutArrows();

    BOOL OnInitDialog() override;

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    velmora::Services m_services;
    CIconButton m_rebuildButton;
};
