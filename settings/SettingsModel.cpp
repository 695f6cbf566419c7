#include "settings/SettingsModel.h"

#include <algorithm>

namespace velmora {

std::vector<RowFailure> SettingsModel::ApplyTouched(const PullControls& pull) {
    std::vector<RowFailure> failures;
    for (std::size_t row = 0; row < changed_.size(); ++row) {
        if (changed_[row] != 0) {
            if (pull) {
                pull();
            }
            const long result = ApplyRow(static_cast<int>(row));
            if (result == 0) {
                changed_[row] = 0;
            } else {
                failures.push_back(RowFailure{static_cast<int>(row), result});
            }
        }
    }
    return failures;
}

bool SettingsModel::AnyChanged() const {
    return std::any_of(changed_.begin(), changed_.end(), [](int flag) { return flag != 0; });
}

}  // namespace velmora
