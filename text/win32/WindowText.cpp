#include "text/win32/WindowText.h"

#include <vector>

#include "text/win32/SystemText.h"
#include "text/win32/WideCalls.h"

namespace velmora::text {
namespace {

bool UseWide() {
    return WideCalls().Complete();
}

// A line of a list: its length first, then the line; a length message that fails (LB_ERR) gives none.
std::string Line(HWND window, UINT lengthMessage, UINT textMessage, int index) {
    const auto at = static_cast<WPARAM>(index);
    if (UseWide()) {
        const LRESULT length = WideCalls().sendMessage(window, lengthMessage, at, 0);
        if (length < 0) {
            return {};
        }
        std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied =
            WideCalls().sendMessage(window, textMessage, at, reinterpret_cast<LPARAM>(line.data()));
        line.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
        return Narrow(line);
    }
    const LRESULT length = ::SendMessageA(window, lengthMessage, at, 0);
    if (length < 0) {
        return {};
    }
    std::string line(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(window, textMessage, at, reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
    return FromAnsi(line);
}

}  // namespace

std::string WindowText(HWND window) {
    if (UseWide()) {
        const int length = WideCalls().getWindowTextLength(window);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const int copied = WideCalls().getWindowText(window, text.data(), static_cast<int>(text.size()));
        text.resize(copied > 0 && copied < static_cast<int>(text.size()) ? static_cast<std::size_t>(copied)
                                                                         : 0);
        return Narrow(text);
    }
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 && copied < static_cast<int>(text.size()) ? static_cast<std::size_t>(copied) : 0);
    return FromAnsi(text);
}

void SetWindowText(HWND window, std::string_view text) {
    if (UseWide()) {
        WideCalls().setWindowText(window, text::Wide(text).c_str());
    } else {
        ::SetWindowTextA(window, ToAnsi(text).c_str());
    }
}

LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, std::string_view text) {
    if (UseWide()) {
        const std::wstring wide = text::Wide(text);
        return WideCalls().sendMessage(window, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    const std::string ansi = ToAnsi(text);
    return ::SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(ansi.c_str()));
}

std::string ListBoxLine(HWND list, int index) {
    return Line(list, LB_GETTEXTLEN, LB_GETTEXT, index);
}

std::string ComboBoxLine(HWND combo, int index) {
    return Line(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

std::optional<std::string> SelectedListBoxLine(HWND list) {
    const LRESULT index = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        return std::nullopt;
    }
    return ListBoxLine(list, static_cast<int>(index));
}

std::vector<std::string> SelectedListBoxLines(HWND list) {
    std::vector<std::string> lines;
    // The selected items' indexes in one call, in list order, rather than asking item by item.
    const LRESULT selected = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (selected <= 0) {
        return lines;
    }
    std::vector<int> indexes(static_cast<std::size_t>(selected));
    const LRESULT got = ::SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(selected),
                                       reinterpret_cast<LPARAM>(indexes.data()));
    indexes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    for (const int index : indexes) {
        lines.push_back(ListBoxLine(list, index));
    }
    return lines;
}

int MessageBox(HWND owner, std::string_view text, std::string_view caption, UINT style) {
    if (UseWide()) {
        return WideCalls().messageBox(owner, text::Wide(text).c_str(), text::Wide(caption).c_str(), style);
    }
    return ::MessageBoxA(owner, ToAnsi(text).c_str(), ToAnsi(caption).c_str(), style);
}

}  // namespace velmora::text
