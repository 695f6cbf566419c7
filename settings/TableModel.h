// A setting page's model: its table of rows (SettingRow.h) in apply order, the members the page's controls
// are exchanged with, and which rows the user touched. Loading reads every row this Windows loads; Apply
// writes the touched rows in order and says what the page must do afterwards. A page's few rows that the
// table cannot describe are its model's own overrides (ReadOwn, ApplyOwn); the model never calls into the
// page.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "settings/MachinePolicy.h"
#include "settings/OsVersion.h"
#include "settings/SettingRow.h"
#include "system/Services.h"

namespace velmora {

// A setting whose apply failed: its row and the Win32 error code of the first call that failed;
// `ownSubkeys` when that was NT refusing to delete a key that still has subkeys (RefusedForOwnSubkeys).
struct RowFailure {
    int row;
    long error;
    bool ownSubkeys = false;
};

// What the page must do once its rows are applied.
struct PageRequests {
    bool showMembers = false;  // a routine put a member back (a question declined): show the members again
    bool pleaseWait = false;   // the special folders changed: show the please-wait window
};

struct AppliedRows {
    std::vector<RowFailure> failures;  // in row order; such a row keeps its mark
    std::vector<int> written;          // rows applied, their marks cleared
    PageRequests requests;
};

// Control notifications the setting pages listen to.
namespace notify {
constexpr int kButtonClicked = 0;    // BN_CLICKED
constexpr int kSelectionChange = 1;  // CBN_SELCHANGE
constexpr int kEditChange = 0x0300;  // EN_CHANGE
}  // namespace notify

// The notification of a control that touches a row, by how the row is shown.
int NotificationOf(Shown shown);

class TableModel {
  public:
    TableModel(Services services, std::span<const SettingRow> table);
    virtual ~TableModel() = default;

    std::span<const SettingRow> Rows() const { return table_; }
    int RowCount() const { return static_cast<int>(table_.size()); }
    // The caption the table names the row by, as the dialog shows it: the one the companion lists it by.
    const char* RowCaption(int row) const { return table_[static_cast<std::size_t>(row)].caption; }

    // Reads every row that loads on `windows` (SettingRow::load), in table order.
    virtual void Load(const WindowsTraits& windows);

    // Marks the row that `control` shows, when `notification` is the one that row listens to; false when
    // no row of this page was touched.
    virtual bool Touch(int control, int notification);
    bool Changed(int row) const { return changed_.at(static_cast<std::size_t>(row)) != 0; }
    bool AnyChanged() const;

    // Applies every touched row in row order, from the members as they stand (the page has taken its
    // controls into them once, before). A row that was applied has its mark cleared; a row whose write
    // failed keeps it and sets neither the restart nor the rebuild request. `owner` owns the questions a
    // row's routine asks.
    AppliedRows ApplyTouched(WindowRef owner);

    // The member the row's control (or its part `index`) is exchanged with.
    virtual BoundMember Bind(Shown shown, int index);

    // What Windows uses for the row when it also reads the row's value from a machine-wide key (see
    // MachinePolicy.h), under the row's own rule; nothing for every other row.
    std::optional<EffectiveState> Effective(int row);

    bool RestartNeeded() const { return restartNeeded_; }
    bool IconRebuildPending() const { return iconRebuild_; }
    void ClearIconRebuild() { iconRebuild_ = false; }

    // A box state per row (0 or 1), for the rows shown as check boxes.
    std::vector<int> check;

  protected:
    // The rows whose routine is their model's own.
    virtual void ReadOwn(const SettingRow& row);
    // reg::kSuccess, kNotWritten or the error code.
    virtual long ApplyOwn(const SettingRow& row);

    void Untouch(int row) { changed_[static_cast<std::size_t>(row)] = 0; }
    void MarkTouched(int row) { changed_[static_cast<std::size_t>(row)] = 1; }

    Services services_;
    WindowRef owner_ = 0;    // while ApplyTouched runs
    PageRequests requests_;  // gathered while ApplyTouched runs

  private:
    long ApplyRow(const SettingRow& row);

    std::span<const SettingRow> table_;
    std::vector<int> changed_;
    bool restartNeeded_ = false;  // set by a restart-needing apply that was written, never cleared
    bool iconRebuild_ = false;    // set by an apply that needs the icon cache rebuilt, cleared by the rebuild
};

}  // namespace velmora
