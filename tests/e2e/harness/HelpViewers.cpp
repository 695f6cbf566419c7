#include "tests/e2e/harness/HelpViewers.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

// A window enumeration's callback (stdcall, which a lambda is not in the 32-bit build): adds each window
// to the vector `found` points to.
BOOL CALLBACK CollectWindow(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> AllTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::string ProgramNameOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return std::string();
    }
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const BOOL named = QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    if (!named) {
        return std::string();
    }
    const std::string full(path, size);
    return Lower(full.substr(full.find_last_of("\\/") + 1));
}

HWND WaitForViewerWindow(std::string_view program, std::string_view captionPart, Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : AllTopLevelWindows()) {
                if (IsWindowVisible(window) && CaptionOf(window).find(captionPart) != std::string::npos &&
                    ProgramNameOf(window) == program) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout, Milliseconds(50));
    return found;
}

std::string DescribeWindowsOf(std::string_view program) {
    std::string described;
    for (HWND window : AllTopLevelWindows()) {
        if (IsWindowVisible(window) && ProgramNameOf(window) == program) {
            described += "\"" + CaptionOf(window) + "\" (" + ClassNameOf(window) + ")";
            if (const HWND text = GetDlgItem(window, 0xFFFF)) {  // a message box says why
                described += ": \"" + TextOf(text) + "\"";
            }
            described += " ";
        }
    }
    return described.empty() ? "none" : described;
}

std::string ViewerText(HWND viewer) {
    std::vector<HWND> children;
    EnumChildWindows(viewer, CollectWindow, reinterpret_cast<LPARAM>(&children));
    std::string text;
    for (HWND child : children) {
        if (Lower(ClassNameOf(child)).find("richedit") != std::string::npos) {
            text += TextOf(child);
        }
    }
    return text;
}

HWND HtmlHelpWindowOf(DWORD processId) {
    for (HWND window : TopLevelWindowsOf(processId)) {
        if (ClassNameOf(window) == "HH Parent") {
            return window;
        }
    }
    return nullptr;
}

}  // namespace velmora::e2e
