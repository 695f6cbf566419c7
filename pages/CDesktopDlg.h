// The Desktop page: desktop and shell settings, icon size and shortcut arrows, and a button that
// rebuilds the shell's icon cache at once.
#pragma once

#include "controls/CIconButton.h"
#include "framework/ToolTipCtrl.h"
#include "pages/CSettingPage.h"
#include "res/resource.h"
#include "settings/DesktopSettings.h"
#include "system/Services.h"

class CDesktopDlg : public CSettingPage {
  public:
    enum { IDD = IDD_DESKTOP };
    explicit CDesktopDlg(velmora::Services services);

    void SetUpButtons();
    // Every setting but "Show Windows version on desktop", which only Windows 98 loads.
    void Load() { m_settings.Load(); }
    void LoadWindowsVersion() { m_settings.LoadWindowsVersion(); }
    velmora::DesktopSettings& Settings() { return m_settings; }
    const velmora::DesktopSettings& Settings() const { return m_settings; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    velmora::Services m_services;
    CIconButton m_rebuildButton;
    CToolTipCtrl m_toolTip;
    velmora::DesktopSettings m_settings;
};
