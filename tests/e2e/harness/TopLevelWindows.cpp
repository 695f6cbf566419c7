#include "tests/e2e/harness/TopLevelWindows.h"

#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

struct Collection {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    auto* collection = reinterpret_cast<Collection*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == collection->processId) {
        collection->windows.push_back(window);
    }
    return TRUE;
}

bool Matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !IsWindowVisible(window)) {
        return false;
    }
    if (query.owner != nullptr && GetWindow(window, GW_OWNER) != query.owner) {
        return false;
    }
    if (!query.className.empty() && ClassNameOf(window) != query.className) {
        return false;
    }
    return CaptionOf(window) == query.caption;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    Collection collection{processId, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&collection));
    return collection.windows;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
    for (HWND window : TopLevelWindowsOf(query.processId)) {
        if (Matches(window, query)) {
            return window;
        }
    }
    return nullptr;
}

HWND WaitForTopLevelWindow(const WindowQuery& query, Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(query)) != nullptr; }, timeout);
    return found;
}

bool WaitForWindowGone(HWND window, Milliseconds timeout) {
    return WaitUntil([&] { return !IsWindow(window); }, timeout);
}

}  // namespace velmora::e2e
