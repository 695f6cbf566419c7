// The program's one form of text inside is UTF-8, on every system. These convert it to and from the UTF-16
// of the NT family's registry, file system and windows. The conversion keeps every 16-bit sequence: a
// surrogate without its partner (which the registry may hold) is kept as its own three-byte form, so
// that what was read is written back unit for unit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::text {

std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

// The number of UTF-16 units `utf8` takes: the measure of the Win32 calls' name and text limits.
std::size_t Utf16Length(std::string_view utf8);

// The longest start of `utf8` that is whole characters and at most `units` UTF-16 units long.
std::string_view FirstUnits(std::string_view utf8, std::size_t units);

}  // namespace velmora::text
