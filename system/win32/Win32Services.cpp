#include "system/win32/Win32Services.h"

#include <windows.h>

#include <vector>

namespace velmora {
namespace {

HWND Window(WindowRef ref) {
    return reinterpret_cast<HWND>(ref);
}

// GetSystemDirectoryA and GetWindowsDirectoryA report the size they need when the buffer is too small.
template <typename Getter>
std::string DirectoryFrom(Getter getter) {
    std::vector<char> buffer(MAX_PATH + 1);
    UINT length = getter(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = getter(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length >= buffer.size()) {
            return std::string();
        }
    }
    return std::string(buffer.data(), length);
}

}  // namespace

int Win32SystemParameters::Call(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t flags) {
    return SystemParametersInfoA(action, param, data, flags);
}

void Win32Broadcaster::Broadcast(std::uint32_t message) {
    SendMessageA(HWND_BROADCAST, message, 0, 0);
}

void Win32Broadcaster::RepaintDesktop() {
    const HWND desktop = GetDesktopWindow();
    RedrawWindow(desktop, nullptr, nullptr, RDW_UPDATENOW);
    ValidateRgn(desktop, nullptr);
}

bool Win32Directories::Exists(const std::string& path) {
    const std::string previous = DirectoryFrom(
        [](char* buffer, UINT size) { return static_cast<UINT>(GetCurrentDirectoryA(size, buffer)); });
    const bool exists = SetCurrentDirectoryA(path.c_str()) != FALSE;
    if (exists && !previous.empty()) {
        SetCurrentDirectoryA(previous.c_str());
    }
    return exists;
}

bool Win32Directories::Create(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32Directories::Remove(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

std::string Win32Directories::SystemDirectory() {
    return DirectoryFrom(GetSystemDirectoryA);
}

std::string Win32Directories::WindowsDirectory() {
    return DirectoryFrom(GetWindowsDirectoryA);
}

int Win32MessageBoxes::Show(WindowRef owner, const std::string& text, const std::string& caption,
                            std::uint32_t style) {
    return MessageBoxA(Window(owner), text.c_str(), caption.c_str(), style);
}

void Win32Restarter::EndSession(std::uint32_t flags) {
    ExitWindowsEx(flags, 0);
}

std::uintptr_t Win32Shell::Open(const std::string& target, int show) {
    return reinterpret_cast<std::uintptr_t>(
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, show));
}

unsigned Win32Shell::Run(const std::string& commandLine, int show) {
    return WinExec(commandLine.c_str(), show);
}

void Win32Shell::OpenHelpContents(WindowRef owner, const std::string& helpFile) {
    WinHelpA(Window(owner), helpFile.c_str(), HELP_CONTENTS, 0);
}

}  // namespace velmora
