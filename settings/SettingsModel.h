// What every setting page's model offers the main window's apply cycle: touched settings are marked and
// later applied in the page's fixed order; some settings need a restart or an icon-cache rebuild.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "settings/MachinePolicy.h"

namespace velmora {

// Copies a page's controls into its model's members; every apply routine does this first.
using PullControls = std::function<void()>;

// A setting whose apply failed: its row and the Win32 error code of the first call that failed.
struct RowFailure {
    int row;
    long error;
};

class SettingsModel {
  public:
    // One changed flag per row; rows are numbered in the page's apply order.
    explicit SettingsModel(int rowCount = 0) : changed_(static_cast<std::size_t>(rowCount), 0) {}
    virtual ~SettingsModel() = default;

    // Marks the setting that `control` belongs to as changed, when `notification` is the one that setting
    // listens to; false when no setting of this page was touched.
    virtual bool Touch(int control, int notification) = 0;
    // Applies every setting marked as changed, in row order: the page's controls are copied into the
    // members first, then the row is applied. A row that was applied has its mark cleared; a row whose
    // write failed keeps it (and sets neither the restart nor the rebuild request) and is returned.
    virtual std::vector<RowFailure> ApplyTouched(const PullControls& pull);
    // The caption the page's table names the row by, as the dialog shows it (a check box's own text, or
    // the label or group box of an edit, combo box or radio group): the one the companion lists it by.
    virtual const char* RowCaption(int row) const = 0;
    // What Windows uses for the row when it also reads the row's value from a machine-wide key (see
    // MachinePolicy.h); nothing for every other row.
    virtual std::optional<EffectiveState> Effective(int /*row*/) { return std::nullopt; }

    int RowCount() const { return static_cast<int>(changed_.size()); }
    bool Changed(int row) const { return changed_.at(static_cast<std::size_t>(row)) != 0; }
    bool AnyChanged() const;

    bool RestartNeeded() const { return restartNeeded_ != 0; }
    bool IconRebuildPending() const { return iconRebuild_ != 0; }
    void ClearIconRebuild() { iconRebuild_ = 0; }

  protected:
    // Applies one row: reg::kSuccess, or the error code of the first call that failed.
    virtual long ApplyRow(int row) = 0;

    std::vector<int> changed_;
    int restartNeeded_ = 0;  // set by a restart-needing apply that was written, never cleared
    int iconRebuild_ = 0;    // set by an apply that needs the icon cache rebuilt, cleared by the rebuild
};

// Control notifications the setting pages listen to.
namespace notify {
constexpr int kButtonClicked = 0;    // BN_CLICKED
constexpr int kSelectionChange = 1;  // CBN_SELCHANGE
constexpr int kEditChange = 0x0300;  // EN_CHANGE
}  // namespace notify

}  // namespace velmora
