// The registry as the program sees it: a Win32-shaped interface with the same handles, error codes and
// buffer conventions as the advapi32 calls it stands for, so that the Win32 implementation is a thin
// mapping and the in-memory one can be checked against it by one shared test suite.
//
// Text is UTF-8 on every system: names, and the data of REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ values
// (their zeros included, their sizes in UTF-8 bytes). The Win32 implementation turns it into what the
// system holds (UTF-16 on the NT family, the ANSI code page on Windows 95 and 98) and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// An open key or one of the predefined roots. The roots carry their Win32 values (low 32 bits).
using HKey = std::uintptr_t;

enum class RootKey : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
};

constexpr HKey ToHKey(RootKey root) {
    return static_cast<HKey>(root);
}
constexpr bool IsRootKey(HKey key) {
    return key >= 0x80000000u && key <= 0x80000003u;
}

namespace reg {

// Value types (the REG_* codes).
enum ValueType : std::uint32_t {
    kNone = 0,
    kSz = 1,
    kExpandSz = 2,
    kBinary = 3,
    kDword = 4,
    kMultiSz = 7,
};

// Access masks (the KEY_* codes the program uses).
constexpr std::uint32_t kQueryValue = 0x0001;
constexpr std::uint32_t kSetValue = 0x0002;
constexpr std::uint32_t kCreateSubKey = 0x0004;
constexpr std::uint32_t kEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kRead = 0x20019;
constexpr std::uint32_t kWrite = 0x20006;
constexpr std::uint32_t kAllAccess = 0xF003F;

// Win32 error codes the registry calls return.
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kInvalidParameter = 87;
constexpr long kFilenameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
constexpr long kCanNotComplete = 1003;  // ERROR_CAN_NOT_COMPLETE: a call that gives no reason of its own
constexpr long kKeyDeleted = 1018;

// Longest key name component and value name the registry accepts (characters, without the zero).
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

}  // namespace reg

class Registry {
  public:
    virtual ~Registry() = default;

    // RegOpenKeyEx: opens an existing key below `parent` (an open key or a root). An empty path opens
    // the parent itself again.
    virtual long OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) = 0;

    // RegCreateKeyEx: opens the key or creates it together with every missing key above it.
    virtual long CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) = 0;

    // RegCloseKey. Closing a root is a no-op that succeeds.
    virtual long CloseKey(HKey key) = 0;

    // RegQueryValueEx. With `data` null only the size is reported. When `data` is not null and the value
    // does not fit `*size`, the call fails with kMoreData and reports the size needed. On success `*size`
    // holds the number of bytes received. `type` may be null.
    virtual long QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) = 0;

    // RegQueryValue: the default value of `subKey` (or of `key` itself when empty) as text. A key
    // without a default value reads as the empty text. Same buffer rules as QueryValue.
    virtual long QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) = 0;

    // RegSetValueEx: replaces the whole value, whatever it held before.
    virtual long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) = 0;

    // RegDeleteValue.
    virtual long DeleteValue(HKey key, std::string_view name) = 0;

    // RegDeleteKey: deletes one key that has no subkeys of its own.
    virtual long DeleteKey(HKey key, std::string_view subKey) = 0;

    // RegEnumValue. `room` is the name buffer's size in characters as the Win32 call takes it, the zero
    // included (UTF-16 units on the NT family, bytes of the code page on Windows 95 and 98): a name that
    // does not fit fails the call with kMoreData. On success `name` holds the name. `type`, `data` and
    // `dataSize` may be null.
    virtual long EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name,
                           std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;

    // RegEnumKeyEx. Subkeys come in name order, case ignored. Same name rules as EnumValue.
    virtual long EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) = 0;
};

}  // namespace velmora
