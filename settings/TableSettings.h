// The part of a setting page's model that walks its table: loading, touching and applying rows, and the
// flags a written row sets. `Model` declares `Table()` (its rows in apply order) and the member `check`
// (a box state per row), and replaces `Bind` for its other members.
#pragma once

#include "registry/RegistryStore.h"
#include "settings/SettingRow.h"
#include "settings/SettingsModel.h"
#include "system/Services.h"

namespace velmora {

// The notification of a control that touches a row, by how the row is shown.
constexpr int NotificationOf(Shown shown) {
    switch (shown) {
        case Shown::kIconSize:
            return notify::kSelectionChange;
        case Shown::kMenuDelay:
        case Shown::kUserName:
        case Shown::kPassword:
            return notify::kEditChange;
        case Shown::kCheck:
        case Shown::kArrows:
        case Shown::kFolder:
            break;
    }
    return notify::kButtonClicked;
}

template <class Model>
class TableSettings : public SettingsModel {
  public:
    using TableRow = SettingRow<Model>;

    TableSettings(Services services, int rowCount) : SettingsModel(rowCount), services_(services) {}

    bool Touch(int control, int notification) override {
        for (const TableRow& row : Model::Table()) {
            bool touched =
                row.control != 0 && row.control == control && notification == NotificationOf(row.shown);
            for (const RowPart& part : row.parts) {
                touched = touched || (part.control == control && notification == NotificationOf(part.shown));
            }
            if (touched) {
                changed_[static_cast<std::size_t>(row.row)] = 1;
                return true;
            }
        }
        return false;
    }

    const char* RowCaption(int row) const override {
        return Model::Table()[static_cast<std::size_t>(row)].caption;
    }

    std::optional<EffectiveState> Effective(int index) override {
        // Under the row's rule, also where a routine of the page reads it: what Windows makes of the value.
        const TableRow& row = Model::Table()[static_cast<std::size_t>(index)];
        return EffectiveOf(services_.registry, row.at, row.read, row.missing);
    }

    // The member the row (or its part `index`) is exchanged with.
    BoundMember Bind(Shown shown, int index) {
        return shown == Shown::kCheck ? BoundMember{&Self().check[static_cast<std::size_t>(index)], nullptr}
                                      : BoundMember{};
    }

  protected:
    // Reads every row that loads `when`, in table order.
    void LoadRows(LoadWhen when) {
        Model& self = Self();
        for (const TableRow& row : Model::Table()) {
            if (row.load != when) {
                continue;
            }
            if (row.readBy != nullptr) {
                (self.*row.readBy)(row);
            } else {
                self.check[static_cast<std::size_t>(row.row)] =
                    ReadState(services_.registry, row.at, row.read, row.missing);
            }
        }
    }

    long ApplyRow(int index) override {
        Model& self = Self();
        const TableRow& row = Model::Table()[static_cast<std::size_t>(index)];
        const int state = self.check[static_cast<std::size_t>(index)];
        const long result = row.applyBy != nullptr ? (self.*row.applyBy)(row)
                                                   : ApplyState(RegistryStore(services_.registry), row.at,
                                                                row.checked, row.unchecked, state);
        if ((row.flags & kRepaintDesktop) != 0) {
            services_.broadcaster.RepaintDesktop();
        }
        if (result == kNotWritten) {
            return reg::kSuccess;
        }
        if (result == reg::kSuccess) {
            if ((row.flags & kRestart) != 0 || ((row.flags & kRestartWhenChecked) != 0 && state == 1)) {
                restartNeeded_ = 1;
            }
            if ((row.flags & kIconRebuild) != 0) {
                iconRebuild_ = 1;
            }
        }
        return result;
    }

    Services services_;

  private:
    Model& Self() { return static_cast<Model&>(*this); }
};

}  // namespace velmora
