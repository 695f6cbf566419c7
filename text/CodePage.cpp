#include "text/CodePage.h"

namespace velmora::text {

char16_t EscapedByte(unsigned char byte) {
    return static_cast<char16_t>(0xDC80 + (byte & 0x7F));
}

std::optional<unsigned char> UnescapedByte(char16_t unit) {
    if (unit >= 0xDC80 && unit <= 0xDCFF) {
        return static_cast<unsigned char>(0x80 + (unit - 0xDC80));
    }
    return std::nullopt;
}

}  // namespace velmora::text
