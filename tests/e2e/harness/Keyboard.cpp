#include "tests/e2e/harness/Keyboard.h"

namespace velmora::e2e {

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

bool PressKey(HWND window, UINT virtualKey) {
    HWND target = FocusedWindow(window);
    if (target == nullptr) {
        target = window;
    }
    // Repeat count 1 and the scan code; the release also carries the previous-state and transition bits.
    const LPARAM down = 1 | static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM up = down | (1LL << 30) | (1LL << 31);
    return PostMessageA(target, WM_KEYDOWN, virtualKey, down) &&
           PostMessageA(target, WM_KEYUP, virtualKey, up);
}

}  // namespace velmora::e2e
