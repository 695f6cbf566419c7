#include "framework/Dialog.h"

#include <cstring>

#include "framework/WinApp.h"

namespace {

// MinGW has no RT_DLGINIT.
const LPCSTR kDialogInitType = MAKEINTRESOURCEA(240);

// Dialog-initialisation data may carry the 16-bit list and combo messages; map them to today's.
UINT Win32Message(WORD message) {
    switch (message) {
        case 0x0401:
            return LB_ADDSTRING;
        case 0x0403:
            return CB_ADDSTRING;
        default:
            return message;
    }
}

}  // namespace

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) {
    // Every message already went through the object's WindowProc, which sits in front of the dialog
    // manager; nothing is left to do here.
    return FALSE;
}

BOOL AfxWalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd); wnd != nullptr && wnd->PreTranslateMessage(msg)) {
            return TRUE;
        }
        if (hwnd == stop) {
            break;
        }
    }
    return FALSE;
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_pParentWnd = parent;
    HookWindowCreate(this);
    const HWND hwnd = ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(templateId),
                                           parent != nullptr ? parent->m_hWnd : nullptr, &AfxDlgProc, 0);
    UnhookWindowCreate();
    return hwnd != nullptr;
}

INT_PTR CDialog::DoModal() {
    // A modal dialog belongs to the top-level window of its parent (a page's dialog to the main window,
    // which it disables meanwhile), and without a parent to the application's main window.
    CWnd* owner = m_pParentWnd;
    if (owner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != this) {
        owner = AfxGetApp()->m_pMainWnd;
    }
    if (owner != nullptr && owner->m_hWnd != nullptr) {
        if (CWnd* top = CWnd::FromHandlePermanent(CWnd::TopLevelOf(owner->m_hWnd)); top != nullptr) {
            owner = top;
        }
    }
    const HWND parent = owner != nullptr ? owner->m_hWnd : nullptr;
    m_modal = true;
    m_endModal = false;
    m_modalResult = -1;
    if (!Create(m_templateId, owner)) {
        m_modal = false;
        return -1;
    }
    const bool disableParent = parent != nullptr && ::IsWindowEnabled(parent);
    if (disableParent) {
        ::EnableWindow(parent, FALSE);
    }
    if (!m_endModal && !::IsWindowVisible(m_hWnd)) {
        ShowWindow(SW_SHOW);
    }
    MSG msg;
    while (!m_endModal) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) {
            break;
        }
        if (!AfxWalkPreTranslateTree(m_hWnd, &msg) && !::IsDialogMessageA(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (disableParent) {
        ::EnableWindow(parent, TRUE);
    }
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (parent != nullptr) {
            ::SetActiveWindow(parent);
        }
        DestroyWindow();
    }
    m_modal = false;
    return m_modalResult;
}

void CDialog::EndDialog(int result) {
    if (m_modal) {
        if (!m_endModal) {
            m_endModal = true;
            m_modalResult = result;
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
        }
    } else if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit(m_templateId);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::ExecuteDlgInit(UINT templateId) {
    const HINSTANCE instance = AfxGetInstanceHandle();
    const HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(templateId), kDialogInitType);
    if (resource == nullptr) {
        return TRUE;
    }
    const HGLOBAL loaded = ::LoadResource(instance, resource);
    const auto* data = static_cast<const BYTE*>(::LockResource(loaded));
    const DWORD size = ::SizeofResource(instance, resource);
    if (data == nullptr) {
        return FALSE;
    }
    // Entries of: control id (WORD), message (WORD), length (DWORD), data; a zero id ends the list.
    DWORD at = 0;
    while (at + 8 <= size) {
        WORD id = 0;
        WORD message = 0;
        DWORD length = 0;
        std::memcpy(&id, data + at, 2);
        std::memcpy(&message, data + at + 2, 2);
        std::memcpy(&length, data + at + 4, 4);
        at += 8;
        if (id == 0 || length > size - at) {
            break;
        }
        std::string text(reinterpret_cast<const char*>(data + at), length);
        text = text.substr(0, text.find('\0'));
        ::SendDlgItemMessageA(m_hWnd, id, Win32Message(message), 0, reinterpret_cast<LPARAM>(text.c_str()));
        at += length;
    }
    return TRUE;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
        switch (LOWORD(wParam)) {
            case IDOK:
                OnOK();
                return TRUE;
            case IDCANCEL:
                OnCancel();
                return TRUE;
            default:
                break;
        }
    }
    return FALSE;
}
