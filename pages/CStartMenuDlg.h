// The Start Menu page: Start Menu policies, the menu delay, special folders added to the Start Menu and
// three buttons that clear a history at once.
#pragma once

#include <array>

#include "controls/CIconButton.h"
#include "pages/CSettingPage.h"
#include "pages/PageToolTips.h"
#include "res/resource.h"
#include "settings/StartMenuSettings.h"
#include "system/Services.h"

class CStartMenuDlg : public CSettingPage {
  public:
    enum { IDD = IDD_STARTMENU };

    explicit CStartMenuDlg(velmora::Services services);

    velmora::StartMenuSettings& Settings() { return m_settings; }
    velmora::TableModel& Rows() override { return m_settings; }

    void SetUpButtons();
    // Reads every setting, disables what cannot be used, and shows the result in the controls.
    void Load(const velmora::WindowsTraits& windows) override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    using History = velmora::StartMenuSettings::History;
    static constexpr int kHistoryCount = velmora::StartMenuSettings::kHistoryCount;

    velmora::StartMenuSettings m_settings;
    std::array<CIconButton, kHistoryCount> m_clearButtons;
    PageToolTips m_toolTips;
};
