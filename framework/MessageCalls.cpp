#include "framework/MessageCalls.h"

#include "text/win32/WideCalls.h"

namespace afx {
namespace {

const velmora::text::WideCallTable* Wide() {
    const velmora::text::WideCallTable& calls = velmora::text::WideCalls();
    return calls.Complete() ? &calls : nullptr;
}

}  // namespace

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc) {
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(proc);
    return reinterpret_cast<WNDPROC>(Wide() ? Wide()->setWindowLongPtr(hwnd, GWLP_WNDPROC, value)
                                            : ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value));
}

LRESULT CallWindowProcedure(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Wide() ? Wide()->callWindowProc(proc, hwnd, message, wParam, lParam)
                  : ::CallWindowProcA(proc, hwnd, message, wParam, lParam);
}

LRESULT DefaultWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Wide() ? Wide()->defWindowProc(hwnd, message, wParam, lParam)
                  : ::DefWindowProcA(hwnd, message, wParam, lParam);
}

BOOL GetNextMessage(MSG* msg) {
    return Wide() ? Wide()->getMessage(msg, nullptr, 0, 0) : ::GetMessageA(msg, nullptr, 0, 0);
}

BOOL IsDialogMessageOf(HWND dialog, MSG* msg) {
    return Wide() ? Wide()->isDialogMessage(dialog, msg) : ::IsDialogMessageA(dialog, msg);
}

void DispatchTheMessage(const MSG* msg) {
    if (Wide()) {
        Wide()->dispatchMessage(msg);
    } else {
        ::DispatchMessageA(msg);
    }
}

HWND CreateDialogFromTemplate(HINSTANCE instance, UINT templateId, HWND parent, DLGPROC proc) {
    if (Wide()) {
        return Wide()->createDialogParam(instance, MAKEINTRESOURCEW(templateId), parent, proc, 0);
    }
    return ::CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), parent, proc, 0);
}

}  // namespace afx
