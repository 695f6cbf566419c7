// The Security page (Windows 9x): Explorer restrictions, automatic logon, the Regedit lock.
#pragma once

#include "pages/CSettingPageOf.h"
#include "res/resource.h"
#include "settings/SecuritySettings.h"
#include "system/Services.h"

class CSecurityDlg : public CSettingPageOf<velmora::SecuritySettings> {
  public:
    enum { IDD = IDD_SECURITY };
    explicit CSecurityDlg(velmora::Services services);

    // Reads every setting and enables the logon controls to match.
    void Load() { m_settings.Load(); }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    // Set while the members are pushed into the controls: the edits' EN_CHANGE is then no change.
    bool m_pushing = false;
};
