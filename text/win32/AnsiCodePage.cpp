#include "text/win32/AnsiCodePage.h"

#include <windows.h>

#include <cstring>

#include "text/Utf.h"

namespace velmora::text {
namespace {

std::u16string ToWide(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 0, L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    }
    std::u16string units(wide.size(), u'\0');
    std::memcpy(units.data(), wide.data(), wide.size() * sizeof(wchar_t));
    return units;
}

// The code page's bytes for `units` (its look-alikes and '?' for what it lacks).
std::string ToBytes(std::u16string_view units, bool* lossy = nullptr) {
    if (units.empty()) {
        return {};
    }
    std::wstring wide(units.size(), L'\0');
    std::memcpy(wide.data(), units.data(), units.size() * sizeof(wchar_t));
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    }
    if (lossy != nullptr) {
        // Exact only when the bytes read back as the same characters: this catches the look-alikes too,
        // which the "default character used" answer does not report.
        *lossy = ToWide(bytes) != units;
    }
    return bytes;
}

}  // namespace

std::string SystemAnsiCodePage::Decode(std::string_view bytes) const {
    const std::u16string whole = ToWide(bytes);
    if (ToBytes(whole) == bytes) {
        return ToUtf8(whole);
    }
    // Some bytes do not decode: character by character, keeping those as escapes.
    std::u16string units;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = ::IsDBCSLeadByteEx(CP_ACP, byte) && at + 1 < bytes.size() ? 2 : 1;
        const std::string_view piece = bytes.substr(at, length);
        const std::u16string decoded = ToWide(piece);
        if (!decoded.empty() && ToBytes(decoded) == piece) {
            units += decoded;
            at += length;
        } else if (byte >= 0x80) {
            units += EscapedByte(byte);
            ++at;
        } else {
            units += static_cast<char16_t>(byte);
            ++at;
        }
    }
    return ToUtf8(units);
}

std::optional<std::string> SystemAnsiCodePage::Encode(std::string_view utf8) const {
    const std::u16string units = ToUtf16(utf8);
    std::string bytes;
    std::u16string run;
    const auto flush = [&]() -> bool {
        bool lossy = false;
        bytes += ToBytes(run, &lossy);
        run.clear();
        return !lossy;
    };
    for (char16_t unit : units) {
        const std::optional<unsigned char> escaped = UnescapedByte(unit);
        if (!escaped) {
            run += unit;
            continue;
        }
        if (escapes_ == kNoBytes || !flush()) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*escaped);
    }
    if (!flush()) {
        return std::nullopt;
    }
    return bytes;
}

std::string SystemAnsiCodePage::EncodeLossy(std::string_view utf8) const {
    const std::u16string units = ToUtf16(utf8);
    std::string bytes;
    std::u16string run;
    for (char16_t unit : units) {
        const std::optional<unsigned char> escaped =
            escapes_ == kBytesKept ? UnescapedByte(unit) : std::nullopt;
        if (escaped) {
            bytes += ToBytes(run);
            run.clear();
            bytes += static_cast<char>(*escaped);
        } else {
            run += unit;
        }
    }
    return bytes + ToBytes(run);
}

}  // namespace velmora::text
