// Where the program's UTF-8 meets Windows. The NT family (NT 4.0 to 11) holds UTF-16 in its registry,
// file system and windows and is spoken to through the Unicode ("W") calls; Windows 95 and 98 hold text
// in the ANSI code page, and their W calls exist but fail, so there the ANSI ("A") calls are used with
// the text in that code page, byte for byte as the system gave it. Which of the two is decided once per
// process, from what the system is.
#pragma once

#include <string>
#include <string_view>

#include "text/CodePage.h"

namespace velmora::text {

// True on the NT family.
bool UsesWideCalls();

// The system's ANSI code page, for the A calls: a byte that decodes to nothing comes back as itself.
const CodePage& AnsiCodePage();

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// A zero-terminated wide text; null reads as empty.
std::string Narrow(const wchar_t* wide);

// The length of `utf8` as the system's text controls count it (EM_LIMITTEXT, a field's limit): UTF-16
// units on the NT family, bytes of the code page on Windows 95 and 98.
std::size_t SystemLength(std::string_view utf8);

// For the A calls: `utf8` in the ANSI code page (a character it lacks as the system's look-alike), and
// back.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace velmora::text
