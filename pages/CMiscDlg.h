// The Miscellaneous page: Explorer, display, file-system and autoplay settings, and shell verbs. The
// caption of the "Use this with caution!" group is drawn in red.
#pragma once

#include "framework/Controls.h"
#include "pages/CSettingPage.h"
#include "res/resource.h"
#include "settings/MiscSettings.h"
#include "system/Services.h"

class CMiscDlg : public CSettingPage {
  public:
    enum { IDD = IDD_MISC };

    explicit CMiscDlg(velmora::Services services);

    velmora::MiscSettings& Settings() { return m_settings; }
    velmora::TableModel& Rows() override { return m_settings; }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(HDC dc, CWnd* child, UINT ctlType) override;

  private:
    velmora::MiscSettings m_settings;
    // Attached only so that its colour request can be told from the others.
    CButton m_cautionGroup;
};
