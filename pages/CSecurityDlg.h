// The Security page (Windows 9x): Explorer restrictions, automatic logon, the Regedit lock.
#pragma once

#include "pages/CSettingPage.h"
#include "res/resource.h"
#include "settings/SecuritySettings.h"
#include "system/Services.h"

class CSecurityDlg : public CSettingPage {
  public:
    enum { IDD = IDD_SECURITY };

    explicit CSecurityDlg(velmora::Services services);

    velmora::SecuritySettings& Settings() { return m_settings; }
    velmora::TableModel& Rows() override { return m_settings; }

    // Reads every setting and enables the logon controls to match.
    void Load(const velmora::WindowsTraits& windows) override;

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    void EnableLogonControls();

    velmora::SecuritySettings m_settings;
};
