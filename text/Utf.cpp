#include "text/Utf.h"

namespace velmora::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One code point (or lone surrogate) from the front of `utf8`, and how many bytes it took. A byte that
// starts no valid sequence is one U+FFFD: text inside the program is never such, and it must not stop
// the conversion.
char32_t Decode(std::string_view utf8, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char first = byte(0);
    length = 1;
    if (first < 0x80) {
        return first;
    }
    std::size_t count = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((first & 0xE0) == 0xC0) {
        count = 2, code = first & 0x1F, least = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        count = 3, code = first & 0x0F, least = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        count = 4, code = first & 0x07, least = 0x10000;
    } else {
        return kReplacement;
    }
    if (utf8.size() < count) {
        return kReplacement;
    }
    for (std::size_t i = 1; i < count; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return kReplacement;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF) {
        return kReplacement;
    }
    length = count;
    return code;
}

void Append(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsHigh(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 0;
        const char32_t code = Decode(utf8.substr(at), length);
        at += length;
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

std::string ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size(); ++at) {
        const char32_t unit = utf16[at];
        if (IsHigh(unit) && at + 1 < utf16.size() && IsLow(utf16[at + 1])) {
            Append(out, 0x10000 + ((unit - 0xD800) << 10) + (utf16[at + 1] - 0xDC00));
            ++at;
        } else {
            Append(out, unit);
        }
    }
    return out;
}

std::size_t Utf16Length(std::string_view utf8) {
    return ToUtf16(utf8).size();
}

std::string_view FirstUnits(std::string_view utf8, std::size_t units) {
    std::size_t at = 0;
    std::size_t counted = 0;
    while (at < utf8.size()) {
        std::size_t length = 0;
        const std::size_t needs = Decode(utf8.substr(at), length) >= 0x10000 ? 2 : 1;
        if (counted + needs > units) {
            break;
        }
        counted += needs;
        at += length;
    }
    return utf8.substr(0, at);
}

}  // namespace velmora::text
