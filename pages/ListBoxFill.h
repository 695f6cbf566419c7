// Filling a list box with a whole list at once. The box is emptied, room for every item is reserved up
// front and redrawing is off while the items go in, so that a list of thousands of names neither
// repaints nor recomputes its scroll bar once per item; it is repainted once at the end. A sorted box
// still places each item itself.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "pages/StartupObserver.h"  // the benchmark counts the fills apart from the registry reads
#include "text/win32/WindowText.h"

// `count` items, whose texts take about `bytes` bytes together, are added in the order `text(i)` gives
// them for i from 0.
template <typename Text>
void FillListBox(HWND list, std::size_t count, std::size_t bytes, Text text) {
    velmora::TheStartupObserver().Step("fill begin");
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageA(list, LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(bytes));
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& item = text(i);
        velmora::text::SendTextMessage(list, LB_ADDSTRING, 0, item);
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    velmora::TheStartupObserver().Step("fill end");
}

// The same for a vector of items, `text(item)` giving each item's text.
template <typename Items, typename Text>
void FillListBoxFrom(HWND list, const Items& items, Text text) {
    std::size_t bytes = 0;
    for (const auto& item : items) {
        bytes += text(item).size() + 1;
    }
    FillListBox(list, items.size(), bytes,
                [&](std::size_t i) -> const std::string& { return text(items[i]); });
}
