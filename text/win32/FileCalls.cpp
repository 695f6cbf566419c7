#include "text/win32/FileCalls.h"

#include <shellapi.h>

#include "text/win32/SystemText.h"
#include "text/win32/WideCalls.h"

namespace velmora::text {
namespace {

bool UseWide() {
    return WideCalls().Complete();
}

// A text the system writes into a buffer of the size it is given, and says how long it is: read again
// with the size it asked for when the first buffer was too small.
template <class Char, class Fill>
std::basic_string<Char> Filled(Fill fill, DWORD first = MAX_PATH) {
    std::basic_string<Char> text(first, Char(0));
    for (int tries = 0; tries < 4; ++tries) {
        const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) {
            return {};
        }
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.assign(static_cast<std::size_t>(length) + MAX_PATH, Char(0));
    }
    return {};
}

}  // namespace

std::string ModuleFileName(HMODULE module) {
    // GetModuleFileName says it filled the buffer whole when the path was cut.
    if (UseWide()) {
        return Narrow(Filled<wchar_t>(
            [&](wchar_t* b, DWORD n) { return WideCalls().getModuleFileName(module, b, n); }));
    }
    return FromAnsi(Filled<char>([&](char* b, DWORD n) { return ::GetModuleFileNameA(module, b, n); }));
}

bool CreateDirectory(std::string_view path) {
    return UseWide() ? WideCalls().createDirectory(Wide(path).c_str(), nullptr) != FALSE
                     : ::CreateDirectoryA(ToAnsi(path).c_str(), nullptr) != FALSE;
}

bool RemoveDirectory(std::string_view path) {
    return UseWide() ? WideCalls().removeDirectory(Wide(path).c_str()) != FALSE
                     : ::RemoveDirectoryA(ToAnsi(path).c_str()) != FALSE;
}

std::string CurrentDirectory() {
    if (UseWide()) {
        return Narrow(
            Filled<wchar_t>([](wchar_t* b, DWORD n) { return WideCalls().getCurrentDirectory(n, b); }));
    }
    return FromAnsi(Filled<char>([](char* b, DWORD n) { return ::GetCurrentDirectoryA(n, b); }));
}

bool SetCurrentDirectory(std::string_view path) {
    return UseWide() ? WideCalls().setCurrentDirectory(Wide(path).c_str()) != FALSE
                     : ::SetCurrentDirectoryA(ToAnsi(path).c_str()) != FALSE;
}

DWORD FileAttributes(std::string_view path) {
    return UseWide() ? WideCalls().getFileAttributes(Wide(path).c_str())
                     : ::GetFileAttributesA(ToAnsi(path).c_str());
}

std::string SystemErrorText(DWORD error) {
    constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    std::string text;
    if (UseWide()) {
        wchar_t buffer[512] = {};
        const DWORD length = WideCalls().formatMessage(kFlags, nullptr, error, 0, buffer, 512, nullptr);
        text = Narrow(std::wstring_view(buffer, length < 512 ? length : 0));
    } else {
        char buffer[512] = {};
        const DWORD length = ::FormatMessageA(kFlags, nullptr, error, 0, buffer, sizeof buffer, nullptr);
        text = FromAnsi(std::string_view(buffer, length < sizeof buffer ? length : 0));
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

HINSTANCE ShellExecute(HWND owner, std::string_view verb, std::string_view target,
                       std::string_view parameters, int show) {
    if (UseWide() && WideCalls().shellExecute != nullptr) {
        const std::wstring wideVerb = Wide(verb);
        const std::wstring wideParameters = Wide(parameters);
        return WideCalls().shellExecute(owner, verb.empty() ? nullptr : wideVerb.c_str(),
                                        Wide(target).c_str(),
                                        parameters.empty() ? nullptr : wideParameters.c_str(), nullptr, show);
    }
    const std::string ansiVerb = ToAnsi(verb);
    const std::string ansiParameters = ToAnsi(parameters);
    return ::ShellExecuteA(owner, verb.empty() ? nullptr : ansiVerb.c_str(), ToAnsi(target).c_str(),
                           parameters.empty() ? nullptr : ansiParameters.c_str(), nullptr, show);
}

}  // namespace velmora::text
