// What every setting page's model offers the main window's apply cycle: touched settings are marked and
// later applied in the page's fixed order; some settings need a restart or an icon-cache rebuild.
#pragma once

#include <functional>
#include <vector>

namespace velmora {

// Copies a page's controls into its model's members; every apply routine does this first.
using PullControls = std::function<void()>;

class SettingsModel {
  public:
    // One changed flag per row; rows are numbered in the page's apply order.
    explicit SettingsModel(int rowCount = 0) : changed_(static_cast<std::size_t>(rowCount), 0) {}
    virtual ~SettingsModel() = default;

    // Marks the setting that `control` belongs to as changed, when `notification` is the one that setting
    // listens to; false when no setting of this page was touched.
    virtual bool Touch(int control, int notification) = 0;
    // Applies every setting marked as changed, in row order: the page's controls are copied into the
    // members first, then the row is applied and its mark cleared.
    virtual void ApplyTouched(const PullControls& pull);

    bool Changed(int row) const { return changed_.at(static_cast<std::size_t>(row)) != 0; }

    bool RestartNeeded() const { return restartNeeded_ != 0; }
    bool IconRebuildPending() const { return iconRebuild_ != 0; }
    void ClearIconRebuild() { iconRebuild_ = 0; }

  protected:
    virtual void ApplyRow(int row) = 0;

    std::vector<int> changed_;
    int restartNeeded_ = 0;  // set by a restart-needing apply, never cleared
    int iconRebuild_ = 0;    // set by an apply that needs the icon cache rebuilt, cleared by the rebuild
};

// Control notifications the setting pages listen to.
namespace notify {
constexpr int kButtonClicked = 0;    // BN_CLICKED
constexpr int kSelectionChange = 1;  // CBN_SELCHANGE
constexpr int kEditChange = 0x0300;  // EN_CHANGE
}  // namespace notify

}  // namespace velmora
