// Key presses for the program: either WM_KEYDOWN and WM_KEYUP posted to the window that has the focus
// (PressKey), or real input (SendChord): SendInput from this process, which Wine's server queues for the
// foreground window's thread, with the key state, the Alt translation (WM_SYSKEYDOWN, WM_SYSCHAR) and the
// dialog manager's handling that a keyboard gives.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace velmora::e2e {

// The window with the keyboard focus in the thread that owns `window`, or null.
HWND FocusedWindow(HWND window);

// Posts the key's press and release to the focused window of `window`'s thread (to `window` itself
// when nothing there has the focus).
bool PressKey(HWND window, UINT virtualKey);

// Makes `window`'s top-level window the foreground window and types one chord with SendInput: the
// modifiers (VK_CONTROL, VK_SHIFT, VK_MENU) pressed in order, the key pressed and released, the modifiers
// released in reverse order. Returns once the input is queued; wait for its effect.
bool SendChord(HWND window, std::initializer_list<WORD> modifiers, WORD key);

// Gives `control` the focus the way the dialog manager does (WM_NEXTDLGCTL to its top-level dialog) and
// waits until it has it.
bool FocusControl(HWND control);

}  // namespace velmora::e2e
