#include "text/win32/SystemText.h"

#include <windows.h>

#include <cstring>

#include "text/Utf.h"
#include "text/win32/AnsiCodePage.h"

namespace velmora::text {

bool UsesWideCalls() {
    // Windows 95, 98 and Me set the high bit; every NT leaves it clear.
    static const bool wide = (::GetVersion() & 0x80000000u) == 0;
    return wide;
}

const CodePage& AnsiCodePage() {
    static const SystemAnsiCodePage codePage(SystemAnsiCodePage::kBytesKept);
    return codePage;
}

std::wstring Wide(std::string_view utf8) {
    const std::u16string units = ToUtf16(utf8);
    std::wstring wide(units.size(), L'\0');
    std::memcpy(wide.data(), units.data(), units.size() * sizeof(wchar_t));
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    std::u16string units(wide.size(), u'\0');
    std::memcpy(units.data(), wide.data(), wide.size() * sizeof(wchar_t));
    return ToUtf8(units);
}

std::string Narrow(const wchar_t* wide) {
    return wide == nullptr ? std::string() : Narrow(std::wstring_view(wide));
}

std::size_t SystemLength(std::string_view utf8) {
    return UsesWideCalls() ? Utf16Length(utf8) : ToAnsi(utf8).size();
}

std::string ToAnsi(std::string_view utf8) {
    return AnsiCodePage().EncodeLossy(utf8);
}

std::string FromAnsi(std::string_view ansi) {
    return AnsiCodePage().Decode(ansi);
}

}  // namespace velmora::text
