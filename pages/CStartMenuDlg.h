// The Start Menu page: Start Menu policies, the menu delay, special folders added to the Start Menu and
// three buttons that clear a history at once.
#pragma once

#include <array>

#include "controls/CIconButton.h"
#include "pages/CSettingPageOf.h"
#include "pages/CToolTipPage.h"
#include "res/resource.h"
#include "settings/StartMenuSettings.h"
#include "system/Services.h"

class CStartMenuDlg : public CToolTipPage<CSettingPageOf<velmora::StartMenuSettings>,
                                          velmora::StartMenuSettings::kHistoryCount> {
  public:
    enum { IDD = IDD_STARTMENU };
    explicit CStartMenuDlg(velmora::Services services);

    void SetUpButtons();
    // Reads every setting, disables what cannot be used, and shows the result in the controls.
    void Load();

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    void ShowPleaseWait();

    using History = velmora::StartMenuSettings::History;
    static constexpr int kHistoryCount = velmora::StartMenuSettings::kHistoryCount;

    std::array<CIconButton, kHistoryCount> m_clearButtons;
    // Set while the members are pushed into the controls: the text change that filling the delay's edit
    // sends is not the user's.
    bool m_filling = false;
};
