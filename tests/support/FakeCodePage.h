// A code page for host tests: Latin-1, except that byte 0x81 decodes to nothing (as in Windows-1252),
// so it comes back as the escape of that byte. Whether an escape encodes to its byte is chosen as on
// Windows: yes for text read through the A calls, no for text of the NT family's W calls.
#pragma once

#include <optional>
#include <string>

#include "text/CodePage.h"
#include "text/Utf.h"

namespace velmora::testing {

class FakeCodePage : public text::CodePage {
  public:
    static constexpr unsigned char kUndefined = 0x81;
    explicit FakeCodePage(bool bytesKept = false) : bytesKept_(bytesKept) {}

    std::string Decode(std::string_view bytes) const override {
        std::u16string units;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            units += byte == kUndefined ? text::EscapedByte(byte) : static_cast<char16_t>(byte);
        }
        return text::ToUtf8(units);
    }
    std::optional<std::string> Encode(std::string_view utf8) const override {
        std::string bytes;
        for (const char16_t unit : text::ToUtf16(utf8)) {
            if (const auto escaped = text::UnescapedByte(unit)) {
                if (!bytesKept_) {
                    return std::nullopt;
                }
                bytes += static_cast<char>(*escaped);
            } else if (unit < 0x100 && unit != kUndefined) {
                bytes += static_cast<char>(unit);
            } else {
                return std::nullopt;
            }
        }
        return bytes;
    }
    std::string EncodeLossy(std::string_view utf8) const override {
        std::string bytes;
        for (const char16_t unit : text::ToUtf16(utf8)) {
            bytes += unit < 0x100 && unit != kUndefined ? static_cast<char>(unit) : '?';
        }
        return bytes;
    }

  private:
    bool bytesKept_;
};

}  // namespace velmora::testing
