#include "registry/ViewedRegistry.h"

namespace velmora {

long ViewedRegistry::OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    return calls_.OpenKey(parent, path, Access(access), result);
}

long ViewedRegistry::CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    return calls_.CreateKey(parent, path, Access(access), result);
}

long ViewedRegistry::CloseKey(HKey key) {
    return calls_.CloseKey(key);
}

long ViewedRegistry::QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
    return calls_.QueryValue(key, name, type, data, size);
}

long ViewedRegistry::QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) {
    if (view_ == RegistryView::Own || subKey.empty()) {
        return calls_.QueryDefaultValue(key, subKey, data, size);
    }
    // RegQueryValueA opens the subkey itself, in the process's own view: open it here in this one (with
    // the access RegQueryValueA asks for) and read the default value of the open key.
    HKey sub = 0;
    if (const long status = calls_.OpenKey(key, subKey, Access(reg::kQueryValue), sub);
        status != reg::kSuccess) {
        return status;
    }
    const long status = calls_.QueryDefaultValue(sub, {}, data, size);
    calls_.CloseKey(sub);
    return status;
}

long ViewedRegistry::SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) {
    return calls_.SetValue(key, name, type, data, size);
}

long ViewedRegistry::DeleteValue(HKey key, std::string_view name) {
    return calls_.DeleteValue(key, name);
}

long ViewedRegistry::DeleteKey(HKey key, std::string_view subKey) {
    // Every 64-bit Windows has RegDeleteKeyEx (64-bit XP is the first); without it the key is deleted as
    // RegDeleteKeyA sees it.
    if (view_ == RegistryView::SixtyFour && calls_.HasDeleteKeyEx()) {
        return calls_.DeleteKeyEx(key, subKey, reg::kWow64_64Key);
    }
    return calls_.DeleteKey(key, subKey);
}

long ViewedRegistry::EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name,
                               std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
    return calls_.EnumValue(key, index, room, name, type, data, dataSize);
}

long ViewedRegistry::EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) {
    return calls_.EnumKey(key, index, room, name);
}

}  // namespace velmora
