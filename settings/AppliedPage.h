// A setting page as the main window's apply cycle reaches it: its model, the step that takes the page's
// controls into the model's members, what the page does after its rows are applied, and the words that
// name a row that could not be saved. The four setting pages implement it (pages/CSettingPage); where there
// is no dialog, ModelPage does.
#pragma once

#include <string>

#include "settings/TableModel.h"

namespace velmora {

class AppliedPage {
  public:
    virtual ~AppliedPage() = default;

    // The page's model: its rows, their marks, the restart and icon-rebuild requests.
    virtual TableModel& Rows() = 0;
    // Copies every control of the page into the model's members; the cycle runs it once, before the
    // page's touched rows are applied.
    virtual void TakeControls() = 0;
    // Does what the model asked once its rows were applied.
    virtual void Follow(const PageRequests& /*requests*/) {}
    // The window that owns the questions of the page's rows; 0 for none.
    virtual WindowRef Owner() { return 0; }
    // How the failure message names the row: by its caption in the page's table, as the companion names
    // it, without "&" and a label's trailing colon. Not by the control's text at the time, which a page
    // may change to say why a box is disabled.
    std::string RowName(int row);
};

}  // namespace velmora
