#include "settings/ApplyCycle.h"

#include "registry/RegKey.h"

namespace velmora {

void ApplyTouchedSettings(Services& services, std::span<const ApplyTarget> pagesInOrder) {
    bool rebuild = false;
    for (const ApplyTarget& page : pagesInOrder) {
        if (page.model != nullptr) {
            page.model->ApplyTouched(page.pull);
            rebuild = rebuild || page.model->IconRebuildPending();
        }
    }
    if (rebuild) {
        RebuildIconCache(services);
        for (const ApplyTarget& page : pagesInOrder) {
            if (page.model != nullptr) {
                page.model->ClearIconRebuild();
            }
        }
    }
}

void RebuildIconCache(Services& services) {
    for (const char* size : {"31", "32"}) {
        {
            // The key is not created: without it only the reloads and the broadcast happen.
            RegKey metrics;
            if (metrics.Open(services.registry, ToHKey(RootKey::CurrentUser),
                             "Control Panel\\desktop\\WindowMetrics", reg::kAllAccess) == reg::kSuccess) {
                services.registry.SetValue(metrics.Get(), "Shell Icon Size", reg::kSz,
                                           reinterpret_cast<const std::uint8_t*>(size), 3);
            }
        }
        services.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kUpdateIniFile);
        services.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kSendWinIniChange);
        services.broadcaster.Broadcast(msg::kSettingChange);
    }
}

bool AskRestart(MessageBoxes& messages, WindowRef owner) {
    return messages.Show(owner, kRestartText, kRestartCaption, mb::kYesNo | mb::kIconQuestion) == mb::kIdYes;
}

}  // namespace velmora
