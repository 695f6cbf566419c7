#include "pages/ControlCaption.h"

namespace {

std::string WindowText(HWND window) {
    char text[256] = {};
    const int length = ::GetWindowTextA(window, text, static_cast<int>(sizeof text));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool IsButtonClass(HWND window) {
    char name[16] = {};
    ::GetClassNameA(window, name, static_cast<int>(sizeof name));
    return lstrcmpiA(name, "Button") == 0;
}

LONG ButtonType(HWND window) {
    return ::GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
}

bool NamesItself(HWND control) {
    if (!IsButtonClass(control)) {
        return false;
    }
    const LONG type = ButtonType(control);
    return type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON && type != BS_GROUPBOX;
}

// A label, or a group box (a button of that type).
bool IsNamingControl(HWND window) {
    if (IsButtonClass(window)) {
        return ButtonType(window) == BS_GROUPBOX;
    }
    char name[16] = {};
    ::GetClassNameA(window, name, static_cast<int>(sizeof name));
    return lstrcmpiA(name, "Static") == 0;
}

}  // namespace

std::string ControlCaption(HWND dialog, int control) {
    const HWND item = ::GetDlgItem(dialog, control);
    if (item == nullptr) {
        return std::string();
    }
    if (NamesItself(item)) {
        return WindowText(item);
    }
    // The radio buttons before it in its own group are passed over on the way to the group box.
    for (HWND previous = ::GetWindow(item, GW_HWNDPREV); previous != nullptr;
         previous = ::GetWindow(previous, GW_HWNDPREV)) {
        if (IsNamingControl(previous)) {
            return WindowText(previous);
        }
        if (!IsButtonClass(previous) || ButtonType(previous) != BS_AUTORADIOBUTTON) {
            break;
        }
    }
    return WindowText(item);
}
