// Finding the program's top-level windows (main window, promotional window, message boxes) by their
// exact caption, among the windows of one process only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/harness/Wait.h"

namespace velmora::e2e {

struct WindowQuery {
    DWORD processId = 0;
    std::string caption;    // exact, case-sensitive
    std::string className;  // empty: any class
    HWND owner = nullptr;   // set: only windows owned by it
    bool visibleOnly = true;
};

std::vector<HWND> TopLevelWindowsOf(DWORD processId);

// The first window matching `query` now, or null.
HWND FindTopLevelWindow(const WindowQuery& query);
// Polls for it until `timeout`; null when it did not appear.
HWND WaitForTopLevelWindow(const WindowQuery& query, Milliseconds timeout);

// True when `window` has been destroyed within `timeout`.
bool WaitForWindowGone(HWND window, Milliseconds timeout);

}  // namespace velmora::e2e
