#include "framework/Mnemonics.h"

namespace {

char UpperCase(char c) {
    return static_cast<char>(reinterpret_cast<UINT_PTR>(
        ::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(c))))));
}

bool IsClass(HWND window, const char* name) {
    char className[16] = {};
    return ::GetClassNameA(window, className, sizeof className) > 0 && ::lstrcmpiA(className, name) == 0;
}

// Labels (static texts and group boxes) move the focus on; buttons are pressed.
enum class Role { None, Label, Button };

Role RoleOf(HWND control) {
    const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
    if (IsClass(control, "Button")) {
        return (style & BS_TYPEMASK) == BS_GROUPBOX ? Role::Label : Role::Button;
    }
    if (IsClass(control, "Static") && (style & SS_NOPREFIX) == 0) {
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
            case SS_SIMPLE:
            case SS_LEFTNOWORDWRAP:
                return Role::Label;
            default:
                return Role::None;
        }
    }
    return Role::None;
}

bool Matches(HWND control, char letter) {
    if (!::IsWindowVisible(control) || RoleOf(control) == Role::None) {
        return false;
    }
    char caption[256] = {};
    ::GetWindowTextA(control, caption, sizeof caption);
    return AfxMnemonicOf(caption) == letter;
}

// The dialog whose dialog manager moves the focus: the first window up from `control` that is no child.
HWND TopLevelOf(HWND control) {
    HWND window = control;
    while ((::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0 && ::GetParent(window) != nullptr) {
        window = ::GetParent(window);
    }
    return window;
}

void Press(HWND control) {
    const HWND top = TopLevelOf(control);
    if (RoleOf(control) == Role::Label) {
        const HWND next = ::GetNextDlgTabItem(::GetParent(control), control, FALSE);
        if (next != nullptr) {
            ::SendMessageA(top, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        }
        return;
    }
    const LONG_PTR type = ::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_OWNERDRAW) {
        // A check box or radio button takes the focus as well, as under a click.
        ::SendMessageA(top, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
    ::SendMessageA(control, BM_CLICK, 0, 0);
}

struct Search {
    char letter;
    HWND found;
};

BOOL CALLBACK FindInTree(HWND control, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (Matches(control, search->letter)) {
        search->found = control;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

char AfxMnemonicOf(const char* caption) {
    for (const char* at = caption; at[0] != '\0'; ++at) {
        if (at[0] == '&') {
            if (at[1] == '&') {
                ++at;  // "&&" shows one ampersand
            } else if (at[1] != '\0') {
                return UpperCase(at[1]);
            }
        }
    }
    return 0;
}

BOOL AfxPressMnemonic(HWND dialog, char letter) {
    Search search{UpperCase(letter), nullptr};
    if (search.letter == 0) {
        return FALSE;
    }
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr && search.found == nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (Matches(child, search.letter)) {
            search.found = child;
        }
    }
    if (search.found == nullptr) {
        ::EnumChildWindows(dialog, &FindInTree, reinterpret_cast<LPARAM>(&search));
    }
    if (search.found == nullptr) {
        return FALSE;
    }
    // A disabled control keeps its letter: pressing it does nothing rather than reach another control.
    if (::IsWindowEnabled(search.found)) {
        Press(search.found);
    }
    return TRUE;
}
