#include "settings/SettingsModel.h"

namespace velmora {

void SettingsModel::ApplyTouched(const PullControls& pull) {
    for (std::size_t row = 0; row < changed_.size(); ++row) {
        if (changed_[row] != 0) {
            if (pull) {
                pull();
            }
            ApplyRow(static_cast<int>(row));
            changed_[row] = 0;
        }
    }
}

}  // namespace velmora
