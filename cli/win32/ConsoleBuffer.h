// Standard output and error for the core's UTF-8 text. On the NT family a console gets the characters
// themselves through its Unicode output, and a file or pipe gets UTF-8; Windows 95 and 98 get the ANSI
// code page's bytes as they always did (or, for JSON, UTF-8).
#pragma once

#include <windows.h>

#include <cstdio>
#include <streambuf>
#include <string>
#include <string_view>

namespace velmora::cli {

class ConsoleBuffer : public std::streambuf {
  public:
    enum class Bytes { kSystem, kUtf8 };  // what a file or pipe gets where no console takes the text
    // `handle` is STD_OUTPUT_HANDLE or STD_ERROR_HANDLE, the one `file` writes to.
    ConsoleBuffer(std::FILE* file, DWORD handle, Bytes bytes);
    ~ConsoleBuffer() override;
    ConsoleBuffer(const ConsoleBuffer&) = delete;
    ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

  private:
    using WriteConsoleWFn = BOOL(WINAPI*)(HANDLE, const void*, DWORD, DWORD*, void*);

    // Writes the whole lines held so far: a line break never falls inside a UTF-8 character.
    bool PutLines();
    bool Put(std::string_view utf8);

    std::FILE* file_;
    bool ansi_;
    HANDLE console_ = nullptr;  // set on the NT family when the handle is a console
    WriteConsoleWFn writeConsole_ = nullptr;
    std::string pending_;
};

}  // namespace velmora::cli
