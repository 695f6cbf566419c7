// The write and delete routines through which the pages change the registry. Each one opens (or creates)
// its key, does one thing and closes the key, and returns reg::kSuccess or the Win32 error code of the
// call that failed; a key that cannot be opened or created leaves the registry as it was. For the setting
// pages, deleting what is already absent succeeds: the registry then holds what the caller asked for.
// The list pages change entries the user picked from a list, and tell of one that was gone meanwhile:
// their routines (the last three) never create a key and report what is absent.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "registry/Registry.h"

namespace velmora {

// The four bytes with which the setting pages store an Explorer policy switch.
inline constexpr std::array<std::uint8_t, 4> kFlagOn = {0x01, 0x00, 0x00, 0x00};

class RegistryStore {
  public:
    explicit RegistryStore(Registry& registry) : registry_(registry) {}

    // REG_BINARY, always exactly these 4 bytes; the key and any missing parents are created.
    long WriteBinary(RootKey root, std::string_view path, std::string_view name,
                     const std::array<std::uint8_t, 4>& bytes) const;
    // REG_DWORD, 4 bytes little-endian.
    long WriteDword(RootKey root, std::string_view path, std::string_view name, std::uint32_t value) const;
    // REG_SZ: the text up to its first zero, and that zero.
    long WriteString(RootKey root, std::string_view path, std::string_view name, std::string_view text) const;
    // Deletes a value of an existing key; a missing key is not created, an emptied key stays. A missing key
    // or value counts as deleted.
    long DeleteValue(RootKey root, std::string_view path, std::string_view name) const;
    // Deletes one child key (without subkeys) of an existing parent. A missing parent or child counts as
    // deleted.
    long DeleteKey(RootKey root, std::string_view parentPath, std::string_view childName) const;

    // REG_SZ (as WriteString) in an existing key, opened with `access`; a missing key is not created.
    long WriteListedString(RootKey root, std::string_view path, std::string_view name, std::string_view text,
                           std::uint32_t access = reg::kAllAccess) const;
    // Deletes a value of an existing key; a missing key or value is the error it is.
    long DeleteListedValue(RootKey root, std::string_view path, std::string_view name) const;
    // Deletes the key `path` (without subkeys) in one call; a missing key is the error it is.
    long DeleteListedKey(RootKey root, std::string_view path) const;

  private:
    // DeleteValue, DeleteKey and DeleteListedValue: `call` (Registry::DeleteValue or DeleteKey) for `name`
    // in the existing key `path`; the error of the open or the call as it is.
    long DeleteIn(RootKey root, std::string_view path, std::string_view name,
                  long (Registry::*call)(HKey, std::string_view)) const;
    long SetString(HKey key, std::string_view name, std::string_view text) const;
    long Write(RootKey root, std::string_view path, std::string_view name, std::uint32_t type,
               const std::uint8_t* data, std::uint32_t size) const;

    Registry& registry_;
};

}  // namespace velmora
