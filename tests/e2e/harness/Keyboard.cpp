// SendInput and GetGUIThreadInfo come with Windows 2000; this test program may use them.
#if !defined(_WIN32_WINNT) || _WIN32_WINNT < 0x0500
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0500
#endif

#include "tests/e2e/harness/Keyboard.h"

#include <vector>

#include "tests/e2e/harness/Wait.h"
#include "tests/e2e/harness/WindowState.h"

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

namespace {

INPUT KeyInput(WORD virtualKey, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool MakeForeground(HWND window) {
    const HWND top = GetAncestor(window, GA_ROOT);
    if (GetForegroundWindow() == top) {
        return true;
    }
    SetForegroundWindow(top);
    return WaitUntil([top] { return GetForegroundWindow() == top; }, kDeadline);
}

}  // namespace

bool SendChord(HWND window, std::initializer_list<WORD> modifiers, WORD key) {
    if (!MakeForeground(window)) {
        return false;
    }
    std::vector<INPUT> inputs;
    for (const WORD modifier : modifiers) {
        inputs.push_back(KeyInput(modifier, false));
    }
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
        inputs.push_back(KeyInput(*it, true));
    }
    const UINT count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

bool FocusControl(HWND control) {
    const HWND dialog = GetAncestor(control, GA_ROOT);
    if (!SendToProgram(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE)) {
        return false;
    }
    return WaitUntil([control] { return FocusedWindow(control) == control; }, kDeadline);
}

}  // namespace velmora::e2e
