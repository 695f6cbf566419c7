// What Windows will use for a setting that it also reads from a machine-wide key. Windows of the NT family
// reads the Explorer and System policies from HKEY_LOCAL_MACHINE as well as from the user's key, and where
// the machine's key holds the value, that value wins: a box written for the user then changes nothing.
// Windows 95 and 98 read these policies from the user's key only.
#pragma once

#include <optional>
#include <string>

#include "settings/SettingRow.h"

namespace velmora {

enum class PolicySource {
    kUser,     // the user's value
    kMachine,  // the machine-wide value, which overrides the user's
    kDefault,  // neither holds the value: what Windows does when the policy is not set
};

struct EffectiveState {
    int state;  // as the row's box would show it: 1 checked, 0 unchecked
    PolicySource source;
    Location machine;  // where the machine-wide value is (or would be) kept
};

// The machine-wide place Windows also reads a user's policy value from; nothing for any other location.
std::optional<Location> MachineTwin(const Location& at);

// For a row kept in a user's policy value on the NT family: the state Windows uses and where it comes
// from, read under the row's own rule. Nothing for other rows, and on Windows 95 and 98.
std::optional<EffectiveState> EffectiveOf(Registry& registry, const Location& at, const ReadRule& rule,
                                          Missing missing);

// "user", "machine policy", "default".
const char* SourceName(PolicySource source);

// "HKEY_LOCAL_MACHINE\Software\...\Policies\Explorer".
std::string MachineKeyName(const Location& machine);

}  // namespace velmora
