#include "system/win32/Win32HelpViewer.h"

#include <windows.h>

#include <vector>

namespace velmora {
namespace {

constexpr UINT kDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kCloseAll = 0x0012;      // HH_CLOSE_ALL

}  // namespace

std::string Win32HelpViewer::ProgramFile() {
    // GetModuleFileNameA cuts a path that does not fit, and says so only by filling the buffer.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) {
            return std::string();
        }
        if (length < size - 1) {
            return std::string(buffer.data(), length);
        }
    }
    return std::string();
}

bool Win32HelpViewer::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

unsigned long Win32HelpViewer::MajorVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) ? version.dwMajorVersion : 4;
}

bool Win32HelpViewer::CallWinHelp(WindowRef owner, const std::string& file, std::uint32_t command,
                                  std::uintptr_t data) {
    return WinHelpA(reinterpret_cast<HWND>(owner), file.c_str(), command, data) != FALSE;
}

Win32HelpViewer::HtmlHelpFn Win32HelpViewer::HtmlHelpFunction() {
    if (!htmlHelpLookedUp_) {
        htmlHelpLookedUp_ = true;
        if (const HMODULE hhctrl = LoadLibraryA("hhctrl.ocx")) {
            htmlHelp_ = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(hhctrl, "HtmlHelpA")));
        }
    }
    return htmlHelp_;
}

bool Win32HelpViewer::ShowHtmlHelp(WindowRef owner, const std::string& target) {
    if (const HtmlHelpFn htmlHelp = HtmlHelpFunction()) {
        if (htmlHelp(reinterpret_cast<HWND>(owner), target.c_str(), kDisplayTopic, 0) != nullptr) {
            return true;
        }
    }
    // The viewer program shows the same file, in a process of its own.
    const std::string parameters = "\"" + target + "\"";
    return reinterpret_cast<std::uintptr_t>(
               ShellExecuteA(nullptr, "open", "hh.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL)) > 32;
}

void Win32HelpViewer::CloseHtmlHelp() {
    if (htmlHelp_ != nullptr) {
        htmlHelp_(nullptr, nullptr, kCloseAll, 0);
    }
}

}  // namespace velmora
