#include "cli/win32/ConsoleBuffer.h"

#include <algorithm>

#include "cli/win32/Lookup.h"
#include "text/win32/SystemText.h"

namespace velmora::cli {
namespace {

using GetStdHandleFn = HANDLE(WINAPI*)(DWORD);
using GetConsoleModeFn = BOOL(WINAPI*)(HANDLE, DWORD*);

// Old consoles refuse one very long write; a piece never ends between the two halves of a pair.
constexpr std::size_t kConsolePiece = 4096;

}  // namespace

ConsoleBuffer::ConsoleBuffer(std::FILE* file, DWORD handle, Bytes bytes)
    : file_(file), ansi_(bytes == Bytes::kSystem && !text::UsesWideCalls()) {
    if (!text::UsesWideCalls()) {
        return;
    }
    const auto getStdHandle = Lookup<GetStdHandleFn>("kernel32.dll", "GetStdHandle");
    const auto getConsoleMode = Lookup<GetConsoleModeFn>("kernel32.dll", "GetConsoleMode");
    writeConsole_ = Lookup<WriteConsoleWFn>("kernel32.dll", "WriteConsoleW");
    const HANDLE standard = getStdHandle ? getStdHandle(handle) : nullptr;
    DWORD mode = 0;
    if (writeConsole_ && getConsoleMode && standard && standard != INVALID_HANDLE_VALUE &&
        getConsoleMode(standard, &mode)) {
        console_ = standard;
    }
}

ConsoleBuffer::~ConsoleBuffer() {
    sync();
}

ConsoleBuffer::int_type ConsoleBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    pending_ += traits_type::to_char_type(c);
    return c == '\n' && !PutLines() ? traits_type::eof() : c;
}

std::streamsize ConsoleBuffer::xsputn(const char* text, std::streamsize count) {
    pending_.append(text, static_cast<std::size_t>(count));
    return PutLines() ? count : 0;
}

int ConsoleBuffer::sync() {
    const bool put = Put(pending_);
    pending_.clear();
    return put && std::fflush(file_) == 0 ? 0 : -1;
}

bool ConsoleBuffer::PutLines() {
    const std::size_t end = pending_.rfind('\n');
    if (end == std::string::npos) {
        return true;
    }
    const bool put = Put(std::string_view(pending_).substr(0, end + 1));
    pending_.erase(0, end + 1);
    return put;
}

bool ConsoleBuffer::Put(std::string_view utf8) {
    if (utf8.empty()) {
        return true;
    }
    if (console_ == nullptr) {
        const std::string bytes = ansi_ ? text::ToAnsi(utf8) : std::string(utf8);
        return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    std::fflush(file_);
    const std::wstring wide = text::Wide(utf8);
    for (std::size_t at = 0; at < wide.size();) {
        std::size_t count = std::min(kConsolePiece, wide.size() - at);
        if (at + count < wide.size() && wide[at + count - 1] >= 0xD800 && wide[at + count - 1] <= 0xDBFF) {
            --count;
        }
        DWORD written = 0;
        if (!writeConsole_(console_, wide.data() + at, static_cast<DWORD>(count), &written, nullptr) ||
            written == 0) {
            return false;
        }
        at += written;
    }
    return true;
}

}  // namespace velmora::cli
