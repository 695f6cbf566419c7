// Reading and driving single windows and controls of the program from the driver's process. Texts go
// through WM_GETTEXT, sent with a deadline: a busy program's thread answers when it next takes a
// message, and the driver waits for that (never SMTO_ABORTIFHUNG, which gives up at once on a thread that
// has taken no message for five seconds, as the program's does while it starts on a loaded machine).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness/Wait.h"

namespace velmora::e2e {

// Sends a message to a window of the program and waits until its thread has handled it (at most
// `timeout`); false when it has not, or the window is gone. `result` may be null.
bool SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr,
                   Milliseconds timeout = kDeadline);

// A top-level window's caption as UTF-8 (GetWindowTextW: no message to the program's thread).
std::string CaptionOf(HWND window);
// Any window's text, asked of its own thread (WM_GETTEXT); empty when it does not answer.
std::string TextOf(HWND window);
std::string ClassNameOf(HWND window);
// Puts UTF-8 text into a window of the program as wide text (WM_SETTEXT), as a user's typing would.
bool SetTextOf(HWND window, const std::string& text);

// The child with this id (GetDlgItem), or null.
HWND Control(HWND parent, int id);

bool IsEnabled(HWND window);
// Visible on screen: it and all its parents carry WS_VISIBLE.
bool IsVisible(HWND window);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
int CheckState(HWND button);
bool IsChecked(HWND button);
LONG Style(HWND window);
LONG ExtendedStyle(HWND window);

RECT ScreenRect(HWND window);
// The window's rectangle in the client coordinates of `reference` (for instance a control in its
// dialog's client area).
RECT RectIn(HWND window, HWND reference);
// "(left, top)-(right, bottom)": compare rectangles as these texts for readable failures.
std::string ToString(const RECT& rect);

// A list box's lines. Asked as wide text and turned into the program's code page: Wine hands a
// cross-process LB_GETTEXT back as wide characters even to the ANSI call, which would overrun an
// ANSI-sized buffer.
std::vector<std::string> ListBoxLines(HWND list);
// The index of the first line equal to `line`, or -1.
int ListBoxIndexOf(HWND list, const std::string& line);
// Selects the list box line `entry` of control `listId` on `page` as a click would: the selection (added
// to those of a list of several selections), then the page's selection-change notification. False when
// the list does not show it.
bool SelectListEntry(HWND page, int listId, const std::string& entry);

// BM_CLICK, waiting for the click to be handled. Use PostClick when the click opens a modal window
// (a message box or a dialog), which would block this call until it closes.
bool Click(HWND button, Milliseconds timeout = kDeadline);
bool PostClick(HWND button);

// Waits until the window's thread takes a message (it answers WM_NULL); false when it has not within
// `timeout` or the window is gone.
bool Responds(HWND window, Milliseconds timeout = kDeadline);

}  // namespace velmora::e2e
