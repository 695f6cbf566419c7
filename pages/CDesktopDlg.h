// The Desktop page: desktop and shell settings, icon size and shortcut arrows, and a button that
// rebuilds the shell's icon cache at once. Its settings are the rows of velmora::DesktopSettings' table,
// which CSettingPage loads, exchanges and hands to the main window's apply cycle.
#pragma once

#include "controls/CIconButton.h"
#include "pages/CSettingPage.h"
#include "pages/PageToolTips.h"
#include "res/resource.h"
#include "settings/DesktopSettings.h"
#include "system/Services.h"

class CDesktopDlg : public CSettingPage {
  public:
    enum { IDD = IDD_DESKTOP };

    explicit CDesktopDlg(velmora::Services services);

    velmora::DesktopSettings& Settings() { return m_settings; }
    velmora::TableModel& Rows() override { return m_settings; }

    void SetUpButtons();
    // "Show Windows version on desktop" is read on Windows 98 only; elsewhere its box also says so.
    void Load(const velmora::WindowsTraits& windows) override;
    // Windows NT has no shortcut arrow choice.
    void DisableShortcutArrows();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    velmora::Services m_services;
    velmora::DesktopSettings m_settings;
    CIconButton m_rebuildButton;
    PageToolTips m_toolTips;
};
