// A system's ANSI code page, where the text of Windows 95 and 98 (and of REGEDIT4 files) lives. Text
// read there goes out again byte for byte: a byte that decodes to no character (a lead byte without its
// trail, a byte the code page leaves undefined) is kept inside as the lone surrogate U+DC80 + byte, which
// nothing else produces, and turns back into that byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::text {

class CodePage {
  public:
    virtual ~CodePage() = default;

    // `bytes` of this code page as UTF-8.
    virtual std::string Decode(std::string_view bytes) const = 0;
    // `utf8` in this code page; nullopt when a character has no exact form in it.
    virtual std::optional<std::string> Encode(std::string_view utf8) const = 0;
    // `utf8` in this code page, a character without a form as the system's own look-alike or '?'.
    virtual std::string EncodeLossy(std::string_view utf8) const = 0;
};

// The lone surrogate that stands for an undecodable byte, and back.
char16_t EscapedByte(unsigned char byte);
std::optional<unsigned char> UnescapedByte(char16_t unit);

}  // namespace velmora::text
