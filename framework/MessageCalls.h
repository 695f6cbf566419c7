// The window procedure, dialog and message-loop calls of the framework. On the NT family they are the
// Unicode ones, so that every dialog and control is a Unicode window and no text on its way to or from a
// control passes through the code page (an ANSI window, or an ANSI procedure subclassing a Unicode one,
// would turn what the code page lacks into '?'); on Windows 95 and 98 the ANSI ones.
#pragma once

#include <windows.h>

namespace afx {

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
LRESULT CallWindowProcedure(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefaultWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL GetNextMessage(MSG* msg);
BOOL IsDialogMessageOf(HWND dialog, MSG* msg);
void DispatchTheMessage(const MSG* msg);
HWND CreateDialogFromTemplate(HINSTANCE instance, UINT templateId, HWND parent, DLGPROC proc);

}  // namespace afx
