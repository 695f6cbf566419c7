#include "settings/ApplyCycle.h"

#include <algorithm>
#include <optional>

#include "registry/RegKey.h"
#include "settings/Locations.h"

namespace velmora {
namespace {

constexpr const char* kMetrics = keys::kMetricsLower;
constexpr const char* kIconSize = "Shell Icon Size";

// A value exactly as the registry holds it.
struct StoredValue {
    std::uint32_t type = reg::kNone;
    std::vector<std::uint8_t> bytes;
};

// What stands in the icon size value of an open key: the value, nothing when it is absent, or the error
// that kept it from being read.
long ReadStored(Registry& registry, HKey key, std::optional<StoredValue>& stood) {
    StoredValue value;
    std::uint32_t size = 0;
    long result = registry.QueryValue(key, kIconSize, &value.type, nullptr, &size);
    if (result == reg::kFileNotFound) {
        stood.reset();
        return reg::kSuccess;
    }
    if (result == reg::kSuccess && size > 0) {
        value.bytes.resize(size);
        result = registry.QueryValue(key, kIconSize, &value.type, value.bytes.data(), &size);
        value.bytes.resize(size);
    }
    if (result == reg::kSuccess) {
        stood = std::move(value);
    }
    return result;
}

// Another size than the one that stands, so that the shell sees a change.
const char* OtherSize(const std::optional<StoredValue>& stood) {
    const bool is31 = stood && stood->bytes.size() >= 2 && stood->bytes[0] == '3' && stood->bytes[1] == '1' &&
                      (stood->bytes.size() == 2 || stood->bytes[2] == 0);
    return is31 ? "32" : "31";
}

void ReloadIcons(Services& services) {
    services.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kUpdateIniFile);
    services.parameters.Call(spi::kSetIcons, 0, nullptr, spi::kSendWinIniChange);
    services.broadcaster.Broadcast(msg::kSettingChange);
}

}  // namespace

ApplyOutcome ApplyTouchedSettings(Services& services, std::span<const ApplyTarget> pagesInOrder) {
    ApplyOutcome outcome;
    std::vector<FailedSetting>& failed = outcome.failed;
    bool rebuild = false;
    for (const ApplyTarget& target : pagesInOrder) {
        if (target.page == nullptr) {
            continue;
        }
        AppliedPage& page = *target.page;
        TableModel& rows = page.Rows();
        if (!rows.AnyChanged()) {
            continue;
        }
        page.TakeControls();
        const AppliedRows applied = rows.ApplyTouched(page.Owner());
        for (const RowFailure& failure : applied.failures) {
            failed.push_back(
                FailedSetting{target.title, page.RowName(failure.row), failure.error, failure.ownSubkeys});
        }
        for (const int row : applied.written) {
            if (const auto effective = rows.Effective(row);
                effective && effective->source == PolicySource::kMachine) {
                outcome.overridden.push_back(
                    OverriddenSetting{target.title, page.RowName(row), effective->state, effective->machine});
            }
        }
        page.Follow(applied.requests);
        rebuild = rebuild || rows.IconRebuildPending();
    }
    if (rebuild) {
        const long result = RebuildIconCache(services);
        for (const ApplyTarget& target : pagesInOrder) {
            if (target.page != nullptr) {
                target.page->Rows().ClearIconRebuild();
            }
        }
        if (result != reg::kSuccess) {
            failed.push_back(FailedSetting{kRebuildPage, kRebuildCaption, result});
        }
    }
    return outcome;
}

long RebuildIconCache(Services& services) {
    Registry& registry = services.registry;
    long failure = reg::kSuccess;
    std::optional<StoredValue> stood;
    bool changed = false;
    {
        // The key is not created: without it only the reloads and the broadcasts happen.
        RegKey metrics;
        const long opened = metrics.Open(registry, ToHKey(RootKey::CurrentUser), kMetrics, reg::kAllAccess);
        if (opened == reg::kSuccess) {
            // A value that cannot be read could not be put back: it is left alone.
            failure = ReadStored(registry, metrics.Get(), stood);
            if (failure == reg::kSuccess) {
                failure = registry.SetValue(metrics.Get(), kIconSize, reg::kSz,
                                            reinterpret_cast<const std::uint8_t*>(OtherSize(stood)), 3);
                changed = failure == reg::kSuccess;
            }
        } else if (opened != reg::kFileNotFound) {
            failure = opened;
        }
    }
    ReloadIcons(services);
    if (changed) {
        RegKey metrics;
        long restored = metrics.Open(registry, ToHKey(RootKey::CurrentUser), kMetrics, reg::kAllAccess);
        if (restored == reg::kSuccess) {
            if (stood) {
                restored = registry.SetValue(metrics.Get(), kIconSize, stood->type,
                                             stood->bytes.empty() ? nullptr : stood->bytes.data(),
                                             static_cast<std::uint32_t>(stood->bytes.size()));
            } else {
                restored = registry.DeleteValue(metrics.Get(), kIconSize);
                restored = restored == reg::kFileNotFound ? reg::kSuccess : restored;
            }
        }
        failure = restored;
    }
    ReloadIcons(services);
    return failure;
}

std::string PlainCaption(std::string_view caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += caption[i];
    }
    while (!plain.empty() && (plain.back() == ':' || plain.back() == ' ')) {
        plain.pop_back();
    }
    return plain;
}

std::string FailureText(const std::vector<FailedSetting>& failures, const std::string& reason) {
    std::string text = failures.size() == 1 ? "This setting could not be saved:\r\n\r\n"
                                            : "These settings could not be saved:\r\n\r\n";
    for (const FailedSetting& failure : failures) {
        text += failure.page + ": " + failure.caption + "\r\n";
    }
    if (!failures.empty()) {
        text += "\r\n" + reason + " (error " + std::to_string(failures.front().error) + ")";
    }
    if (failures.empty() || failures.front().ownSubkeys) {
        return text;
    }
    return WithAdministratorLine(std::move(text), failures.front().error);
}

std::string WithAdministratorLine(std::string text, long error) {
    if (error == reg::kAccessDenied) {
        text += "\r\n\r\n";
        text += kAdministratorLine;
    }
    return text;
}

long DeleteRefusal(Registry& registry, HKey parent, const std::string& subkey, long error) {
    if (error != reg::kAccessDenied) {
        return error;
    }
    RegKey key;
    return key.Open(registry, parent, subkey, reg::kAllAccess) == reg::kSuccess ? reg::kSuccess : error;
}

void ReportFailures(Services& services, WindowRef owner, const std::vector<FailedSetting>& failures) {
    if (failures.empty()) {
        return;
    }
    const std::string reason = services.messages.SystemErrorText(failures.front().error);
    services.messages.Show(owner, FailureText(failures, reason), kErrorCaption,
                           mb::kOk | mb::kIconExclamation);
}

std::string OverrideText(const std::vector<OverriddenSetting>& overridden, bool written) {
    const bool one = overridden.size() == 1;
    std::string text =
        written
            ? (one ? "This setting was saved for you, but a machine-wide policy overrides it, and Windows "
                     "uses the policy:\r\n\r\n"
                   : "These settings were saved for you, but a machine-wide policy overrides them, and "
                     "Windows uses the policy:\r\n\r\n")
            : (one ? "A machine-wide policy overrides this setting: changed for you, Windows would still "
                     "use the policy:\r\n\r\n"
                   : "A machine-wide policy overrides these settings: changed for you, Windows would still "
                     "use the policy:\r\n\r\n");
    std::vector<std::string> keys;
    for (const OverriddenSetting& setting : overridden) {
        text += setting.page + ": " + setting.caption +
                (setting.state == 1 ? " (Windows uses: checked)\r\n" : " (Windows uses: unchecked)\r\n");
        const std::string key = MachineKeyName(setting.machine);
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(key);
        }
    }
    text += keys.size() == 1 ? "\r\nThe policy is kept in " : "\r\nThe policies are kept in ";
    for (std::size_t i = 0; i < keys.size(); ++i) {
        text += (i == 0 ? "" : " and ") + keys[i];
    }
    return text + ".";
}

void ReportOverrides(MessageBoxes& messages, WindowRef owner,
                     const std::vector<OverriddenSetting>& overridden) {
    if (!overridden.empty()) {
        messages.Show(owner, OverrideText(overridden), kOverrideCaption, mb::kOk | mb::kIconInformation);
    }
}

bool AskRestart(MessageBoxes& messages, WindowRef owner) {
    return messages.Show(owner, kRestartText, kRestartCaption, mb::kYesNo | mb::kIconQuestion) == mb::kIdYes;
}

bool RestartWindows(Services& services) {
    // Without the privilege the NT family refuses; the refusal below then says why.
    services.restarter.EnableShutdownPrivilege();
    const long error = services.restarter.EndSession(ewx::kReboot);
    if (error == 0) {
        return true;
    }
    services.messages.Show(0,
                           "Windows could not be restarted: " + services.messages.SystemErrorText(error) +
                               " (error " + std::to_string(error) +
                               ")\r\n\r\nPlease restart Windows yourself.",
                           kRestartCaption, mb::kOk | mb::kIconExclamation);
    return false;
}

}  // namespace velmora
