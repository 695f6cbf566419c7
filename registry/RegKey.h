// An open registry key that closes itself: no key handle outlives the routine that opened it.
#pragma once

#include <cstdint>
#include <string_view>

#include "registry/Registry.h"

namespace velmora {

class RegKey {
  public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : registry_(other.registry_), key_(other.key_) {
        other.registry_ = nullptr;
    }
    RegKey& operator=(RegKey&& other) noexcept;

    // RegOpenKeyExA / RegCreateKeyExA into this object; any key held before is closed first.
    long Open(Registry& registry, HKey parent, std::string_view path, std::uint32_t access);
    long Create(Registry& registry, HKey parent, std::string_view path, std::uint32_t access);

    bool IsOpen() const { return registry_ != nullptr; }
    HKey Get() const { return key_; }
    void Close();

  private:
    using KeyCall = long (Registry::*)(HKey, std::string_view, std::uint32_t, HKey&);
    // Open and Create: `call` (Registry::OpenKey or CreateKey) into this object.
    long Take(Registry& registry, KeyCall call, HKey parent, std::string_view path, std::uint32_t access);

    Registry* registry_ = nullptr;
    HKey key_ = 0;
};

}  // namespace velmora
