// The help viewers the program starts: Wine's winhlp32 (a process of its own) and HTML Help (windows
// of hhctrl.ocx in the program's process, or hh.exe).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/e2e/harness/Wait.h"

namespace velmora::e2e {

// The file name (lower case) of the program that owns `window`, such as "winhlp32.exe"; empty when
// it cannot be asked.
std::string ProgramNameOf(HWND window);

// A visible top-level window of any process whose program is `program` (lower case) and whose caption
// holds `captionPart`; null when none appeared within `timeout`.
HWND WaitForViewerWindow(std::string_view program, std::string_view captionPart, Milliseconds timeout);

// "caption" (class) of each visible top-level window of that program, for a failure's message.
std::string DescribeWindowsOf(std::string_view program);

// The text the viewer shows: that of every child window whose class is a rich edit (WinHelp draws
// its topics in one), each asked of its own thread.
std::string ViewerText(HWND viewer);

// HTML Help's top-level window ("HH Parent") in a process, or null.
HWND HtmlHelpWindowOf(DWORD processId);

}  // namespace velmora::e2e
