#include "system/win32/Win32Services.h"

#include <windows.h>

#include <vector>

#include "text/win32/FileCalls.h"
#include "text/win32/SystemText.h"
#include "text/win32/WindowText.h"

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
    return text::FromAnsi(std::string_view(buffer.data(), length));
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
    const std::string previous = text::CurrentDirectory();
    const bool exists = text::SetCurrentDirectory(path);
    if (exists && !previous.empty()) {
        text::SetCurrentDirectory(previous);
    }
    return exists;
}

bool Win32Directories::Create(const std::string& path) {
    return text::CreateDirectory(path);
}

bool Win32Directories::Remove(const std::string& path) {
    return text::RemoveDirectory(path);
}

std::string Win32Directories::SystemDirectory() {
    return DirectoryFrom(GetSystemDirectoryA);
}

std::string Win32Directories::WindowsDirectory() {
    return DirectoryFrom(GetWindowsDirectoryA);
}

int Win32MessageBoxes::Show(WindowRef owner, const std::string& text, const std::string& caption,
                            std::uint32_t style) {
    return text::MessageBox(Window(owner), text, caption, style);
}

std::string Win32MessageBoxes::SystemErrorText(long code) {
    const std::string text = text::SystemErrorText(static_cast<DWORD>(code));
    return !text.empty() ? text : std::string("Unknown error.");
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
    return reinterpret_cast<std::uintptr_t>(text::ShellExecute(nullptr, "open", target, "", show));
}

unsigned Win32Shell::Run(const std::string& commandLine, int show) {
    // WinExec has no Unicode form; the browser's command comes from the registry in the code page's
    // reach in practice.
    return WinExec(text::ToAnsi(commandLine).c_str(), show);
}

}  // namespace velmora
