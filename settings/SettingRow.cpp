#include "settings/SettingRow.h"

#include <string>

#include "registry/RegKey.h"
#include "registry/ValueReader.h"

namespace velmora {
namespace {

// The key part of a location's path and its last component: "A\B\C" is "A\B" and "C".
std::pair<std::string, std::string> SplitLast(const std::string& path) {
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos) {
        return {"", path};
    }
    return {path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

int ReadState(Registry& registry, const Location& at, const ReadRule& rule, Missing missing) {
    if (rule.kind == ReadRule::kKeyExists) {
        return KeyExists(registry, at.root, at.key) ? 1 : 0;
    }
    const auto data = ReadValue(registry, at.root, at.key, at.value);
    if (!data) {
        return missing == Missing::kChecked ? 1 : 0;
    }
    switch (rule.kind) {
        case ReadRule::kFirstByteZero:
            return data->FirstByteSet() ? 0 : 1;
        case ReadRule::kFirstByteSet:
            return data->FirstByteSet() ? 1 : 0;
        case ReadRule::kFirstByteIs:
            return data->FirstCharIs(static_cast<char>(rule.byte)) ? 1 : 0;
        case ReadRule::kTextIs:
            return data->TextEquals(rule.text) ? 1 : 0;
        case ReadRule::kTextIsNot:
            return data->TextEquals(rule.text) ? 0 : 1;
        case ReadRule::kKeyExists:
            break;
    }
    return 0;
}

long ApplyState(const RegistryStore& store, const Location& at, const RegistryAction& checked,
                const RegistryAction& unchecked, int state) {
    const RegistryAction& action = state == 1 ? checked : unchecked;
    switch (action.kind) {
        case RegistryAction::kDelete:
            return store.DeleteValue(at.root, at.key, at.value);
        case RegistryAction::kBinary:
            return store.WriteBinary(at.root, at.key, at.value, action.bytes);
        case RegistryAction::kDword:
            return store.WriteDword(at.root, at.key, at.value, action.number);
        case RegistryAction::kString:
            return store.WriteString(at.root, at.key, at.value, action.text);
        case RegistryAction::kKeyCommand:
            return store.WriteString(at.root, std::string(at.key) + "\\" + action.text, "", action.command);
        case RegistryAction::kDeleteKeys: {
            // One level at a time, child first: NT refuses to delete a key that still has subkeys.
            const long child = store.DeleteKey(at.root, at.key, action.text);
            const auto [parent, name] = SplitLast(at.key);
            const long own = store.DeleteKey(at.root, parent, name);
            return child != reg::kSuccess ? child : own;
        }
        case RegistryAction::kNone:
            break;
    }
    return reg::kInvalidParameter;
}

bool RefusedForOwnSubkeys(Registry& registry, const Location& at, const RegistryAction& action, long error) {
    if (action.kind != RegistryAction::kDeleteKeys || error != reg::kAccessDenied) {
        return false;
    }
    // The key that was refused: the subkey while it stands, then the key. It was refused for its subkeys
    // when it opens for every change and has one.
    const std::string child = std::string(at.key) + "\\" + action.text;
    RegKey key;
    long opened = key.Open(registry, ToHKey(at.root), child, reg::kAllAccess);
    if (opened == reg::kFileNotFound) {
        opened = key.Open(registry, ToHKey(at.root), at.key, reg::kAllAccess);
    }
    std::string name;
    return opened == reg::kSuccess && registry.EnumKey(key.Get(), 0, 256, name) == reg::kSuccess;
}

}  // namespace velmora
