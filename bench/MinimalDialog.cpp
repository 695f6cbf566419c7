// The smallest dialog program: one modal dialog with one button, built from a template in memory. Its
// start-up, timed like Velmora's, is what starting any Win32 program costs on this system.
#include <windows.h>

#include <cstring>

#include "bench/StartupMarks.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            velmora::bench::Mark("init");
            velmora::bench::MarkMemory("init");
            return TRUE;
        case WM_SHOWWINDOW:
            if (wParam) {
                velmora::bench::WindowShown(window);
            }
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// A DLGTEMPLATE followed by its variable parts, each WORD-aligned, the item DWORD-aligned.
struct alignas(4) Template {
    WORD words[64] = {};
};

void Append(WORD*& at, const wchar_t* text) {
    const std::size_t length = std::wcslen(text) + 1;
    std::memcpy(at, text, length * sizeof(wchar_t));
    at += length;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Template buffer;
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer.words);
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT;
    dialog->cdit = 1;
    dialog->cx = 160;
    dialog->cy = 60;
    WORD* at = reinterpret_cast<WORD*>(dialog + 1);
    *at++ = 0;  // no menu
    *at++ = 0;  // the standard dialog class
    Append(at, L"Minimal dialog");
    *at++ = 8;  // font size
    Append(at, L"MS Sans Serif");
    at = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(at) + 3) & ~ULONG_PTR{3});
    auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(at);
    item->style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    item->x = 54;
    item->y = 36;
    item->cx = 52;
    item->cy = 16;
    item->id = IDOK;
    at = reinterpret_cast<WORD*>(item + 1);
    *at++ = 0xFFFF;
    *at++ = 0x0080;  // button
    Append(at, L"OK");
    *at++ = 0;  // no creation data
    ::DialogBoxIndirectParamA(instance, dialog, nullptr, DialogProc, 0);
    return 0;
}
