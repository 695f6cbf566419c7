// The Unicode ("W") calls of user32, kernel32, shell32 and comctl32 that the programs make on the NT
// family, looked up at run time: Windows 95 and 98 lack some and have others only as stubs that fail,
// and the programs import nothing those systems lack (tools/win9x-imports.txt). Null where the system
// has no such call; Complete() says whether the NT family's set is all there.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

namespace velmora::text {

struct WideCallTable {
    // user32
    decltype(&::SendMessageW) sendMessage;
    decltype(&::SendDlgItemMessageW) sendDlgItemMessage;
    decltype(&::SetWindowTextW) setWindowText;
    decltype(&::GetWindowTextW) getWindowText;
    decltype(&::GetWindowTextLengthW) getWindowTextLength;
    decltype(&::MessageBoxW) messageBox;
    decltype(&::CreateDialogParamW) createDialogParam;
    decltype(&::DefWindowProcW) defWindowProc;
    decltype(&::CallWindowProcW) callWindowProc;
    LONG_PTR(WINAPI* setWindowLongPtr)(HWND, int, LONG_PTR);
    decltype(&::GetMessageW) getMessage;
    decltype(&::IsDialogMessageW) isDialogMessage;
    decltype(&::DispatchMessageW) dispatchMessage;
    decltype(&::WinHelpW) winHelp;
    // kernel32
    decltype(&::GetModuleFileNameW) getModuleFileName;
    decltype(&::CreateDirectoryW) createDirectory;
    decltype(&::RemoveDirectoryW) removeDirectory;
    decltype(&::GetCurrentDirectoryW) getCurrentDirectory;
    decltype(&::SetCurrentDirectoryW) setCurrentDirectory;
    decltype(&::GetFileAttributesW) getFileAttributes;
    decltype(&::FormatMessageW) formatMessage;
    // shell32 and comctl32
    decltype(&::ShellExecuteW) shellExecute;
    INT_PTR(WINAPI* propertySheet)(LPCPROPSHEETHEADERW);

    bool Complete() const;
};

// The process's table, filled once; null entries on Windows 95 and 98, where nothing calls them.
const WideCallTable& WideCalls();

}  // namespace velmora::text
