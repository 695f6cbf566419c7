#include "tests/e2e/harness/WindowState.h"

#include <cstdio>
#include <vector>

#include "text/win32/SystemText.h"

namespace velmora::e2e {

bool SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result,
                   Milliseconds timeout) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                               static_cast<UINT>(timeout.count()),
                               result != nullptr ? result : &ignored) != 0;
}

std::string CaptionOf(HWND window) {
    wchar_t buffer[512];
    const int length = GetWindowTextW(window, buffer, 512);
    return text::Narrow(std::wstring_view(buffer, length > 0 && length < 512 ? length : 0));
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendToProgram(window, WM_GETTEXTLENGTH, 0, 0, &length)) {
        return {};
    }
    // Asked as wide text, whatever the program's own calls: the harness reads what the window holds.
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                            SMTO_NORMAL, static_cast<UINT>(kDeadline.count()), &copied) == 0) {
        return {};
    }
    buffer.resize(copied < buffer.size() ? copied : buffer.size() - 1);
    return text::Narrow(buffer);
}

bool SetTextOf(HWND window, const std::string& text) {
    const std::wstring wide = text::Wide(text);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                               static_cast<UINT>(kDeadline.count()), &result) != 0;
}

std::string ClassNameOf(HWND window) {
    char buffer[256];
    const int length = GetClassNameA(window, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

HWND Control(HWND parent, int id) {
    return GetDlgItem(parent, id);
}

bool IsEnabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

int CheckState(HWND button) {
    DWORD_PTR state = 0;
    SendToProgram(button, BM_GETCHECK, 0, 0, &state);
    return static_cast<int>(state);
}

bool IsChecked(HWND button) {
    return CheckState(button) == BST_CHECKED;
}

LONG Style(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

LONG ExtendedStyle(HWND window) {
    return GetWindowLongA(window, GWL_EXSTYLE);
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RectIn(HWND window, HWND reference) {
    RECT rect = ScreenRect(window);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ToString(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof text, "(%ld, %ld)-(%ld, %ld)", rect.left, rect.top, rect.right, rect.bottom);
    return text;
}

bool Click(HWND button, Milliseconds timeout) {
    DWORD_PTR result = 0;
    return SendToProgram(button, BM_CLICK, 0, 0, &result, timeout);
}

bool PostClick(HWND button) {
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool Responds(HWND window, Milliseconds timeout) {
    DWORD_PTR result = 0;
    return SendToProgram(window, WM_NULL, 0, 0, &result, timeout);
}

std::vector<std::string> ListBoxLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(
            copied > 0 && copied < static_cast<LRESULT>(wide.size()) ? static_cast<std::size_t>(copied) : 0);
        lines.push_back(text::Narrow(wide));
    }
    return lines;
}

int ListBoxIndexOf(HWND list, const std::string& line) {
    const std::vector<std::string> lines = ListBoxLines(list);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool SelectListEntry(HWND page, int listId, const std::string& entry) {
    const HWND list = GetDlgItem(page, listId);
    // Found by its exact text (LB_FINDSTRINGEXACT ignores case, and its ANSI form passes the code page).
    const int index = ListBoxIndexOf(list, entry);
    if (index < 0) {
        return false;
    }
    // A list of several selections adds the line to them; any other list selects it alone.
    if ((Style(list) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0) {
        SendMessageA(list, LB_SETSEL, TRUE, index);
    } else {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return true;
}

}  // namespace velmora::e2e
