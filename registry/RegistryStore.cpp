#include "registry/RegistryStore.h"

#include <string>

#include "registry/RegKey.h"

namespace velmora {

void RegistryStore::Write(RootKey root, std::string_view path, std::string_view name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) const {
    RegKey key;
    if (key.Create(registry_, ToHKey(root), path, reg::kAllAccess) == reg::kSuccess) {
        registry_.SetValue(key.Get(), name, type, data, size);
    }
}

void RegistryStore::WriteBinary(RootKey root, std::string_view path, std::string_view name,
                                const std::array<std::uint8_t, 4>& bytes) const {
    Write(root, path, name, reg::kBinary, bytes.data(), 4);
}

void RegistryStore::WriteDword(RootKey root, std::string_view path, std::string_view name,
                               std::uint32_t value) const {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16),
                                   static_cast<std::uint8_t>(value >> 24)};
    Write(root, path, name, reg::kDword, bytes, 4);
}

void RegistryStore::WriteString(RootKey root, std::string_view path, std::string_view name,
                                std::string_view text) const {
    const std::string data(text.substr(0, text.find('\0')));
    Write(root, path, name, reg::kSz, reinterpret_cast<const std::uint8_t*>(data.c_str()),
          static_cast<std::uint32_t>(data.size() + 1));
}

void RegistryStore::DeleteValue(RootKey root, std::string_view path, std::string_view name) const {
    RegKey key;
    if (key.Open(registry_, ToHKey(root), path, reg::kAllAccess) == reg::kSuccess) {
        registry_.DeleteValue(key.Get(), name);
    }
}

void RegistryStore::DeleteKey(RootKey root, std::string_view parentPath, std::string_view childName) const {
    RegKey parent;
    if (parent.Open(registry_, ToHKey(root), parentPath, reg::kAllAccess) == reg::kSuccess) {
        registry_.DeleteKey(parent.Get(), childName);
    }
}

}  // namespace velmora
