#include "tests/e2e/harness/HostedSheet.h"
#include "res/resource.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>

#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RemoteBuffer.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed = -1) {
    DWORD_PTR result = 0;
    if (!SendToProgram(window, message, wParam, lParam, &result)) {
        return failed;
    }
    return static_cast<LRESULT>(result);
}

HWND TabsOf(HWND dialog) {
    return dialog == nullptr ? nullptr : FindWindowExA(dialog, nullptr, WC_TABCONTROLA, nullptr);
}

}  // namespace

HWND HostedSheet::Find(HWND mainWindow) {
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) == "#32770" && TabsOf(child) != nullptr) {
            return child;
        }
    }
    return nullptr;
}

HostedSheet::HostedSheet(HWND sheet) : sheet_(sheet), tabs_(TabsOf(sheet)) {}

HWND HostedSheet::PageHolding(int controlId) const {
    for (HWND child = GetWindow(sheet_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) == "#32770" && GetDlgItem(child, controlId) != nullptr) {
            return child;
        }
    }
    return nullptr;
}

bool ListPagesFilled(HWND mainWindow) {
    const HWND sheet = HostedSheet::Find(mainWindow);
    if (sheet == nullptr) {
        return false;
    }
    const HostedSheet pages(sheet);
    for (const int list : {IDC_ADDREMOVE_PROGRAM_LIST, IDC_NEW_TYPE_LIST, IDC_FOLDERSRUN_AUTORUN_LIST}) {
        const HWND page = pages.PageHolding(list);
        if (page == nullptr || !IsEnabled(GetDlgItem(page, list))) {
            return false;
        }
    }
    return true;
}

int HostedSheet::TabCount() const {
    return static_cast<int>(Send(tabs_, TCM_GETITEMCOUNT, 0, 0, 0));
}

std::vector<std::string> HostedSheet::TabTitles() const {
    constexpr std::size_t kTextSize = 256;
    std::vector<std::string> titles;
    RemoteBuffer buffer(tabs_, sizeof(TCITEMA) + kTextSize);
    if (!buffer.Ok()) {
        return titles;
    }
    const int count = TabCount();
    for (int i = 0; i < count; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = static_cast<char*>(buffer.At(sizeof(TCITEMA)));
        item.cchTextMax = kTextSize;
        char text[kTextSize] = {};
        if (!buffer.Write(0, &item, sizeof item) || !buffer.Write(sizeof item, text, sizeof text) ||
            !Send(tabs_, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(buffer.At()), 0) ||
            !buffer.Read(sizeof item, text, sizeof text)) {
            titles.emplace_back("<unreadable>");
            continue;
        }
        text[kTextSize - 1] = '\0';
        titles.emplace_back(text);
    }
    return titles;
}

int HostedSheet::CurrentIndex() const {
    return static_cast<int>(Send(tabs_, TCM_GETCURSEL, 0, 0));
}

HWND HostedSheet::CurrentPage() const {
    return reinterpret_cast<HWND>(Send(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0, 0));
}

bool HostedSheet::Select(int index) {
    Send(sheet_, PSM_SETCURSEL, index, 0, 0);
    return CurrentIndex() == index && CurrentPage() != nullptr;
}

HWND HostedSheet::SelectPage(std::string_view title) {
    const std::vector<std::string> titles = TabTitles();
    const auto found = std::find(titles.begin(), titles.end(), title);
    if (found == titles.end() || !Select(static_cast<int>(found - titles.begin()))) {
        return nullptr;
    }
    return CurrentPage();
}

}  // namespace velmora::e2e
