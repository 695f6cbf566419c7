// A setting page as the main window's apply cycle reaches it: the model that holds its rows, the step
// that takes the page's controls into the model's members, and the words that name a row that could not
// be saved. The four setting pages implement it (pages/CSettingPage); the host tests implement it over a
// bare model (tests/support/ModelPage.h).
#pragma once

#include <string>

#include "settings/SettingsModel.h"

namespace velmora {

class AppliedPage {
  public:
    virtual ~AppliedPage() = default;

    // The page's rows: their changed marks, their apply order, the restart and icon-rebuild requests.
    virtual SettingsModel& Rows() = 0;
    // Copies every control of the page into the model's members; the cycle runs it before each row.
    virtual void TakeControls() = 0;
    // How the failure message names the row: by its caption in the page's table, as the companion names
    // it, without "&" and a label's trailing colon. Not by the control's text at the time, which a page
    // may change to say why a box is disabled.
    virtual std::string RowName(int row);
};

}  // namespace velmora
