// The Miscellaneous page: Explorer, display, file-system and autoplay settings, and shell verbs. The
// caption of the "Use this with caution!" group is drawn in red.
#pragma once

#include "framework/Controls.h"
#include "pages/CSettingPageOf.h"
#include "res/resource.h"
#include "settings/MiscSettings.h"
#include "system/Services.h"

class CMiscDlg : public CSettingPageOf<velmora::MiscSettings> {
  public:
    enum { IDD = IDD_MISC };
    explicit CMiscDlg(velmora::Services services);

    // Full-window drag and font smoothing: loaded where the Windows extensions or NT provide them,
    // otherwise their boxes are disabled for good.
    void LoadDragAndSmoothing() { m_settings.LoadDragAndSmoothing(); }
    void DisableDragAndSmoothing();
    // Every other setting.
    void Load() { m_settings.Load(); }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(HDC dc, CWnd* child, UINT ctlType) override;

  private:
    // Attached only so that its colour request can be told from the others.
    CButton m_cautionGroup;
};
