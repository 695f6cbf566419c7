#include "system/win32/Win32HelpViewer.h"

#include <windows.h>

#include <vector>

#include "text/win32/FileCalls.h"
#include "text/win32/SystemText.h"
#include "text/win32/WideCalls.h"

namespace velmora {
namespace {

constexpr UINT kDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kCloseAll = 0x0012;      // HH_CLOSE_ALL

bool Wide() {
    return text::WideCalls().Complete();
}

}  // namespace

std::string Win32HelpViewer::ProgramFile() {
    return text::ModuleFileName(nullptr);
}

bool Win32HelpViewer::FileExists(const std::string& path) {
    const DWORD attributes = text::FileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

unsigned long Win32HelpViewer::MajorVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) ? version.dwMajorVersion : 4;
}

bool Win32HelpViewer::CallWinHelp(WindowRef owner, const std::string& file, std::uint32_t command,
                                  std::uintptr_t data) {
    if (text::WideCalls().Complete() && text::WideCalls().winHelp != nullptr) {
        return text::WideCalls().winHelp(reinterpret_cast<HWND>(owner), text::Wide(file).c_str(), command,
                                         data) != FALSE;
    }
    return WinHelpA(reinterpret_cast<HWND>(owner), text::ToAnsi(file).c_str(), command, data) != FALSE;
}

Win32HelpViewer::HtmlHelpFn Win32HelpViewer::HtmlHelpFunction() {
    if (!htmlHelpLookedUp_) {
        htmlHelpLookedUp_ = true;
        if (const HMODULE hhctrl = LoadLibraryA("hhctrl.ocx")) {
            htmlHelp_ = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(hhctrl, Wide() ? "HtmlHelpW" : "HtmlHelpA")));
        }
    }
    return htmlHelp_;
}

bool Win32HelpViewer::ShowHtmlHelp(WindowRef owner, const std::string& target) {
    if (const HtmlHelpFn htmlHelp = HtmlHelpFunction()) {
        const std::wstring wide = text::Wide(target);
        const std::string ansi = text::ToAnsi(target);
        const void* file = Wide() ? static_cast<const void*>(wide.c_str()) : ansi.c_str();
        if (htmlHelp(reinterpret_cast<HWND>(owner), file, kDisplayTopic, 0) != nullptr) {
            return true;
        }
    }
    // The viewer program shows the same file, in a process of its own.
    const std::string parameters = "\"" + target + "\"";
    return reinterpret_cast<std::uintptr_t>(
               text::ShellExecute(nullptr, "open", "hh.exe", parameters, SW_SHOWNORMAL)) > 32;
}

void Win32HelpViewer::CloseHtmlHelp() {
    if (htmlHelp_ != nullptr) {
        htmlHelp_(nullptr, nullptr, kCloseAll, 0);
    }
}

}  // namespace velmora
