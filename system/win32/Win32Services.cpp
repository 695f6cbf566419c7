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
    SetLastError(ERROR_SUCCESS);
    const BOOL result = SystemParametersInfoA(action, param, data, flags);
    if (!result) {
        // Windows 9x often fails without a reason.
        const DWORD error = GetLastError();
        lastError_ = error != ERROR_SUCCESS ? static_cast<long>(error) : ERROR_CAN_NOT_COMPLETE;
    }
    return result;
}

void Win32Broadcaster::Broadcast(std::uint32_t message) {
    // Each window handles the change before this returns, but one that has stopped answering is passed
    // over (and none may hold the program up for longer than the timeout).
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, kTimeoutPerWindow, &result);
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

std::string Win32MessageBoxes::SystemErrorText(long code) {
    char buffer[512] = {};
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(code), 0, buffer, static_cast<DWORD>(sizeof buffer), nullptr);
    while (length > 0 &&
           (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' ')) {
        --length;
    }
    return length > 0 ? std::string(buffer, length) : std::string("Unknown error.");
}

bool Win32Restarter::EnableShutdownPrivilege() {
    // The token functions are looked up at run time: Windows 9x has no privileges, and restarts without.
    using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using LookupPrivilegeValueFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
    using AdjustTokenPrivilegesFn =
        BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    const HMODULE advapi = GetModuleHandleA("advapi32.dll");
    if (advapi == nullptr) {
        return true;
    }
    const auto openToken = reinterpret_cast<OpenProcessTokenFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(advapi, "OpenProcessToken")));
    const auto lookup = reinterpret_cast<LookupPrivilegeValueFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(advapi, "LookupPrivilegeValueA")));
    const auto adjust = reinterpret_cast<AdjustTokenPrivilegesFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(advapi, "AdjustTokenPrivileges")));
    if (openToken == nullptr || lookup == nullptr || adjust == nullptr) {
        return true;
    }
    HANDLE token = nullptr;
    if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        // Windows 9x exports the function but has no tokens.
        return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = false;
    if (lookup(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        // Success with ERROR_NOT_ALL_ASSIGNED means the account does not hold the privilege.
        enabled = adjust(token, FALSE, &privileges, 0, nullptr, nullptr) && GetLastError() == ERROR_SUCCESS;
    }
    CloseHandle(token);
    return enabled;
}

long Win32Restarter::EndSession(std::uint32_t flags) {
    if (ExitWindowsEx(flags, 0)) {
        return 0;
    }
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? static_cast<long>(error) : ERROR_CAN_NOT_COMPLETE;
}

std::uintptr_t Win32Shell::Open(const std::string& target, int show) {
    return reinterpret_cast<std::uintptr_t>(
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, show));
}

unsigned Win32Shell::Run(const std::string& commandLine, int show) {
    return WinExec(commandLine.c_str(), show);
}

}  // namespace velmora
