#include "registry/RegistryStore.h"

#include <string>

#include "registry/RegKey.h"

namespace velmora {
namespace {

// A delete finds nothing to delete: the registry already holds what was asked for.
long AbsentIsDeleted(long result) {
    return result == reg::kFileNotFound ? reg::kSuccess : result;
}

}  // namespace

long RegistryStore::Write(RootKey root, std::string_view path, std::string_view name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) const {
    RegKey key;
    const long created = key.Create(registry_, ToHKey(root), path, reg::kAllAccess);
    if (created != reg::kSuccess) {
        return created;
    }
    return registry_.SetValue(key.Get(), name, type, data, size);
}

long RegistryStore::WriteBinary(RootKey root, std::string_view path, std::string_view name,
                                const std::array<std::uint8_t, 4>& bytes) const {
    return Write(root, path, name, reg::kBinary, bytes.data(), 4);
}

long RegistryStore::WriteDword(RootKey root, std::string_view path, std::string_view name,
                               std::uint32_t value) const {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16),
                                   static_cast<std::uint8_t>(value >> 24)};
    return Write(root, path, name, reg::kDword, bytes, 4);
}

long RegistryStore::WriteString(RootKey root, std::string_view path, std::string_view name,
                                std::string_view text) const {
    RegKey key;
    const long created = key.Create(registry_, ToHKey(root), path, reg::kAllAccess);
    if (created != reg::kSuccess) {
        return created;
    }
    return SetString(key.Get(), name, text);
}

long RegistryStore::WriteListedString(RootKey root, std::string_view path, std::string_view name,
                                      std::string_view text, std::uint32_t access) const {
    RegKey key;
    const long opened = key.Open(registry_, ToHKey(root), path, access);
    if (opened != reg::kSuccess) {
        return opened;
    }
    return SetString(key.Get(), name, text);
}

long RegistryStore::SetString(HKey key, std::string_view name, std::string_view text) const {
    const std::string data(text.substr(0, text.find('\0')));
    return registry_.SetValue(key, name, reg::kSz, reinterpret_cast<const std::uint8_t*>(data.c_str()),
                              static_cast<std::uint32_t>(data.size() + 1));
}

long RegistryStore::DeleteValue(RootKey root, std::string_view path, std::string_view name) const {
    return AbsentIsDeleted(DeleteIn(root, path, name, &Registry::DeleteValue));
}

long RegistryStore::DeleteKey(RootKey root, std::string_view parentPath, std::string_view childName) const {
    return AbsentIsDeleted(DeleteIn(root, parentPath, childName, &Registry::DeleteKey));
}

long RegistryStore::DeleteListedValue(RootKey root, std::string_view path, std::string_view name) const {
    return DeleteIn(root, path, name, &Registry::DeleteValue);
}

long RegistryStore::DeleteListedKey(RootKey root, std::string_view path) const {
    return registry_.DeleteKey(ToHKey(root), path);
}

long RegistryStore::DeleteIn(RootKey root, std::string_view path, std::string_view name,
                             long (Registry::*call)(HKey, std::string_view)) const {
    RegKey key;
    const long opened = key.Open(registry_, ToHKey(root), path, reg::kAllAccess);
    if (opened != reg::kSuccess) {
        return opened;
    }
    return (registry_.*call)(key.Get(), name);
}

}  // namespace velmora
