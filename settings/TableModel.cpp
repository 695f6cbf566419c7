#include "settings/TableModel.h"

#include <algorithm>

#include "registry/RegistryStore.h"

namespace velmora {

int NotificationOf(Shown shown) {
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

TableModel::TableModel(Services services, std::span<const SettingRow> table)
    : check(table.size(), 0), services_(services), table_(table), changed_(table.size(), 0) {}

void TableModel::Load(const WindowsTraits& windows) {
    for (const SettingRow& row : table_) {
        if (!windows.Loads(row.load)) {
            continue;
        }
        if (ReadsOwn(row.routine)) {
            ReadOwn(row);
        } else {
            check[static_cast<std::size_t>(row.row)] =
                ReadState(services_.registry, row.at, row.read, row.missing);
        }
    }
}

bool TableModel::Touch(int control, int notification) {
    for (const SettingRow& row : table_) {
        bool touched =
            row.control != 0 && row.control == control && notification == NotificationOf(row.shown);
        for (const RowPart& part : row.parts) {
            touched = touched || (part.control == control && notification == NotificationOf(part.shown));
        }
        if (touched) {
            MarkTouched(row.row);
            return true;
        }
    }
    return false;
}

bool TableModel::AnyChanged() const {
    return std::any_of(changed_.begin(), changed_.end(), [](int flag) { return flag != 0; });
}

AppliedRows TableModel::ApplyTouched(WindowRef owner) {
    AppliedRows applied;
    owner_ = owner;
    requests_ = {};
    for (const SettingRow& row : table_) {
        if (!Changed(row.row)) {
            continue;
        }
        const long result = ApplyRow(row);
        if (result == reg::kSuccess) {
            Untouch(row.row);
            applied.written.push_back(row.row);
        } else {
            const RegistryAction& action =
                check[static_cast<std::size_t>(row.row)] == 1 ? row.checked : row.unchecked;
            applied.failures.push_back(
                RowFailure{row.row, result,
                           !AppliesOwn(row.routine) &&
                               RefusedForOwnSubkeys(services_.registry, row.at, action, result)});
        }
    }
    applied.requests = requests_;
    owner_ = 0;
    return applied;
}

long TableModel::ApplyRow(const SettingRow& row) {
    const int state = check[static_cast<std::size_t>(row.row)];
    const long result = AppliesOwn(row.routine) ? ApplyOwn(row)
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
            restartNeeded_ = true;
        }
        if ((row.flags & kIconRebuild) != 0) {
            iconRebuild_ = true;
        }
    }
    return result;
}

BoundMember TableModel::Bind(Shown shown, int index) {
    return shown == Shown::kCheck ? BoundMember{&check[static_cast<std::size_t>(index)], nullptr}
                                  : BoundMember{};
}

std::optional<EffectiveState> TableModel::Effective(int index) {
    // Under the row's rule, also where a routine of the page reads it: what Windows makes of the value.
    const SettingRow& row = table_[static_cast<std::size_t>(index)];
    return EffectiveOf(services_.registry, row.at, row.read, row.missing);
}

void TableModel::ReadOwn(const SettingRow&) {}

long TableModel::ApplyOwn(const SettingRow&) {
    return reg::kSuccess;
}

}  // namespace velmora
