// A setting model applied as the main window applies a page, where there is no dialog (the companion's
// apply, the host tests): the caller sets the members itself, so taking the controls does only what it
// is given to do (nothing by default). A failed row is named as the pages name it.
#pragma once

#include <functional>
#include <utility>

#include "settings/AppliedPage.h"

namespace velmora {

class ModelPage : public AppliedPage {
  public:
    explicit ModelPage(SettingsModel& model, std::function<void()> takeControls = {})
        : model_(model), takeControls_(std::move(takeControls)) {}

    SettingsModel& Rows() override { return model_; }
    void TakeControls() override {
        if (takeControls_) {
            takeControls_();
        }
    }

  private:
    SettingsModel& model_;
    std::function<void()> takeControls_;
};

}  // namespace velmora
