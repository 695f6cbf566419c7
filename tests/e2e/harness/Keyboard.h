// Key presses as the program's thread receives them from the keyboard: WM_KEYDOWN and WM_KEYUP posted
// to the window that has the focus, so that the dialog manager's own handling (IsDialogMessage: Escape,
// Enter, Tab) applies. No real input is synthesised: it would go to whatever X window has the focus.
#pragma once

#include <windows.h>

namespace velmora::e2e {

// The window with the keyboard focus in the thread that owns `window`, or null.
HWND FocusedWindow(HWND window);

// Posts the key's press and release to the focused window of `window`'s thread (to `window` itself
// when nothing there has the focus).
bool PressKey(HWND window, UINT virtualKey);

}  // namespace velmora::e2e
