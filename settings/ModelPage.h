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
    explicit ModelPage(TableModel& model, std::function<void()> takeControls = {},
                       std::function<void(const PageRequests&)> follow = {}, WindowRef owner = 0)
        : model_(model), takeControls_(std::move(takeControls)), follow_(std::move(follow)), owner_(owner) {}

    TableModel& Rows() override { return model_; }
    void TakeControls() override {
        if (takeControls_) {
            takeControls_();
        }
    }
    void Follow(const PageRequests& requests) override {
        if (follow_) {
            follow_(requests);
        }
    }
    WindowRef Owner() override { return owner_; }

  private:
    TableModel& model_;
    std::function<void()> takeControls_;
    std::function<void(const PageRequests&)> follow_;
    WindowRef owner_;
};

}  // namespace velmora
