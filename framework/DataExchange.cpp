#include "framework/DataExchange.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "text/win32/SystemText.h"
#include "text/win32/WindowText.h"

HWND CDataExchange::Control(int id) const {
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    const HWND control = dx->Control(id);
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    const HWND first = dx->Control(id);
    if (first == nullptr) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    for (HWND button = first; button != nullptr; button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != first && (::GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP) != 0) {
            break;
        }
        if ((::SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0) {
            continue;
        }
        if (dx->m_bSaveAndValidate) {
            if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                value = index;
            }
        } else {
            ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    const HWND control = dx->Control(id);
    dx->m_idLastControl = id;
    if (dx->m_bSaveAndValidate) {
        value = velmora::text::WindowText(control);
    } else {
        velmora::text::SetWindowText(control, value);
    }
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars) {
    if (dx->m_bSaveAndValidate) {
        // Counted as the edit's limit counts: in characters of the system's text.
        if (velmora::text::SystemLength(value) > static_cast<std::size_t>(maxChars)) {
            AfxMessageBox("Enter no more than " + std::to_string(maxChars) + " characters.",
                          MB_OK | MB_ICONEXCLAMATION);
            ::SetFocus(dx->Control(dx->m_idLastControl));
            dx->Fail();
        }
    } else {
        ::SendMessageA(dx->Control(dx->m_idLastControl), EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    const HWND control = dx->Control(id);
    if (dx->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd == nullptr) {
        control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
    }
}
