// The one way every page reads a value when it loads: open the key for reading, ask the data size, read
// exactly that many bytes, close the key; then interpret the bytes by one of a few rules. The stored type
// is never looked at, and no rule looks past the bytes received.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Registry.h"

namespace velmora {

// The bytes of one value as they were received.
class ValueData {
  public:
    ValueData() = default;
    explicit ValueData(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

    // First byte: set when the first byte is not 0. No data at all reads as not set.
    bool FirstByteSet() const { return !bytes_.empty() && bytes_[0] != 0; }
    // The data as text: the bytes up to the first zero, or all of them when there is none.
    std::string_view Text() const;
    // Text equals: compared byte for byte, case-sensitively.
    bool TextEquals(std::string_view literal) const { return Text() == literal; }
    // Number: like atoi (blanks, a sign, decimal digits), clamped to the int range instead of overflowing.
    int Number() const;
    // First character.
    bool FirstCharIs(char c) const { return !bytes_.empty() && static_cast<char>(bytes_[0]) == c; }
    // Contains: the text searched case-sensitively.
    bool Contains(std::string_view needle) const { return Text().find(needle) != std::string_view::npos; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Reads one value; nothing when the key cannot be opened for reading or the value is missing.
std::optional<ValueData> ReadValue(Registry& registry, RootKey root, std::string_view path,
                                   std::string_view name);
// The same read on a key the caller holds open.
std::optional<ValueData> ReadValue(Registry& registry, HKey key, std::string_view name);
// The same bytes in one call when the value fits a first buffer of kFirstReadSize bytes: its size is asked
// only when it turns out larger (the failed read reports it). For the list walks, which read thousands of
// short values and pay a server round trip for every call.
inline constexpr std::uint32_t kFirstReadSize = 256;
std::optional<ValueData> ReadValueAtOnce(Registry& registry, HKey key, std::string_view name);

// The first-byte rule on a value; `missing` when it cannot be read.
bool ReadFlag(Registry& registry, RootKey root, std::string_view path, std::string_view name,
              bool missing = false);

// Key exists: the key can be opened for reading.
bool KeyExists(Registry& registry, RootKey root, std::string_view path);

}  // namespace velmora
