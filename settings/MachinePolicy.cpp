#include "settings/MachinePolicy.h"

#include <string_view>

#include "registry/ValueReader.h"
#include "settings/Locations.h"
#include "settings/OsVersion.h"

namespace velmora {
namespace {

constexpr std::string_view kPolicyKeys[] = {keys::kExplorerPolicies, keys::kSystemPolicies};

// The registry ignores the case of key names, and so does Windows when it looks for a policy.
bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<Location> MachineTwin(const Location& at) {
    if (at.root != RootKey::CurrentUser || at.key == nullptr || at.value == nullptr) {
        return std::nullopt;
    }
    for (const std::string_view key : kPolicyKeys) {
        if (SameKey(at.key, key)) {
            return Location{RootKey::LocalMachine, at.key, at.value};
        }
    }
    return std::nullopt;
}

std::optional<EffectiveState> EffectiveOf(Registry& registry, const Location& at, const ReadRule& rule,
                                          Missing missing) {
    const std::optional<Location> machine = MachineTwin(at);
    if (!machine || !IsWindowsNt(registry)) {
        return std::nullopt;
    }
    if (ReadValue(registry, machine->root, machine->key, machine->value)) {
        return EffectiveState{ReadState(registry, *machine, rule, missing), PolicySource::kMachine, *machine};
    }
    const PolicySource source =
        ReadValue(registry, at.root, at.key, at.value) ? PolicySource::kUser : PolicySource::kDefault;
    return EffectiveState{ReadState(registry, at, rule, missing), source, *machine};
}

const char* SourceName(PolicySource source) {
    switch (source) {
        case PolicySource::kUser:
            return "user";
        case PolicySource::kMachine:
            return "machine policy";
        case PolicySource::kDefault:
            break;
    }
    return "default";
}

std::string MachineKeyName(const Location& machine) {
    return std::string("HKEY_LOCAL_MACHINE\\") + (machine.key != nullptr ? machine.key : "");
}

}  // namespace velmora
