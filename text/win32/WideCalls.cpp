#include "text/win32/WideCalls.h"

#include <shellapi.h>

#include "text/win32/SystemText.h"

namespace velmora::text {
namespace {

template <class Fn>
void Find(Fn& function, HMODULE module, const char* name) {
    function = module == nullptr
                   ? nullptr
                   : reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

WideCallTable Load() {
    WideCallTable calls{};
    if (!UsesWideCalls()) {
        return calls;
    }
    const HMODULE user = ::GetModuleHandleA("user32.dll");
    Find(calls.sendMessage, user, "SendMessageW");
    Find(calls.sendDlgItemMessage, user, "SendDlgItemMessageW");
    Find(calls.setWindowText, user, "SetWindowTextW");
    Find(calls.getWindowText, user, "GetWindowTextW");
    Find(calls.getWindowTextLength, user, "GetWindowTextLengthW");
    Find(calls.messageBox, user, "MessageBoxW");
    Find(calls.createDialogParam, user, "CreateDialogParamW");
    Find(calls.defWindowProc, user, "DefWindowProcW");
    Find(calls.callWindowProc, user, "CallWindowProcW");
#ifdef _WIN64
    Find(calls.setWindowLongPtr, user, "SetWindowLongPtrW");
#else
    Find(calls.setWindowLongPtr, user, "SetWindowLongW");
#endif
    Find(calls.getMessage, user, "GetMessageW");
    Find(calls.isDialogMessage, user, "IsDialogMessageW");
    Find(calls.dispatchMessage, user, "DispatchMessageW");
    Find(calls.winHelp, user, "WinHelpW");
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    Find(calls.getModuleFileName, kernel, "GetModuleFileNameW");
    Find(calls.createDirectory, kernel, "CreateDirectoryW");
    Find(calls.removeDirectory, kernel, "RemoveDirectoryW");
    Find(calls.getCurrentDirectory, kernel, "GetCurrentDirectoryW");
    Find(calls.setCurrentDirectory, kernel, "SetCurrentDirectoryW");
    Find(calls.getFileAttributes, kernel, "GetFileAttributesW");
    Find(calls.formatMessage, kernel, "FormatMessageW");
    // Loaded already by the programs that use them (they import from both).
    Find(calls.shellExecute, ::GetModuleHandleA("shell32.dll"), "ShellExecuteW");
    Find(calls.propertySheet, ::GetModuleHandleA("comctl32.dll"), "PropertySheetW");
    return calls;
}

}  // namespace

bool WideCallTable::Complete() const {
    return sendMessage && sendDlgItemMessage && setWindowText && getWindowText && getWindowTextLength &&
           messageBox && createDialogParam && defWindowProc && callWindowProc && setWindowLongPtr &&
           getMessage && isDialogMessage && dispatchMessage && getModuleFileName && createDirectory &&
           removeDirectory && getCurrentDirectory && setCurrentDirectory && getFileAttributes &&
           formatMessage;
}

const WideCallTable& WideCalls() {
    static const WideCallTable calls = Load();
    return calls;
}

}  // namespace velmora::text
