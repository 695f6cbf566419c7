#include "settings/CheckSetting.h"

#include "registry/ValueReader.h"

namespace velmora {

int ReadCheck(Registry& registry, const CheckSetting& setting) {
    const auto data = ReadValue(registry, setting.root, setting.path, setting.value);
    if (!data) {
        return setting.missingChecked ? 1 : 0;
    }
    switch (setting.rule) {
        case ReadRule::kFirstByteZero:
            return data->FirstByteSet() ? 0 : 1;
        case ReadRule::kFirstByteSet:
            return data->FirstByteSet() ? 1 : 0;
        case ReadRule::kTextEqualsOne:
            return data->TextEquals("1") ? 1 : 0;
        case ReadRule::kFirstByteEquals:
            return data->FirstCharIs(static_cast<char>(setting.firstByte)) ? 1 : 0;
        case ReadRule::kTextIsNotZero:
            return data->TextEquals("0") ? 0 : 1;
    }
    return 0;
}

long ApplyCheck(const RegistryStore& store, const CheckSetting& setting, int state) {
    const RegistryAction& action = state == 1 ? setting.whenChecked : setting.whenUnchecked;
    switch (action.kind) {
        case RegistryAction::kDelete:
            return store.DeleteValue(setting.root, setting.path, setting.value);
        case RegistryAction::kBinary:
            return store.WriteBinary(setting.root, setting.path, setting.value, action.bytes);
        case RegistryAction::kDword:
            return store.WriteDword(setting.root, setting.path, setting.value, action.number);
        case RegistryAction::kString:
            return store.WriteString(setting.root, setting.path, setting.value, action.text);
    }
    return reg::kInvalidParameter;
}

}  // namespace velmora
