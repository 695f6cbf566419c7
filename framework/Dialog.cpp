#include "framework/Dialog.h"

#include <cstring>

#include "framework/MessageCalls.h"
#include "framework/Mnemonics.h"
#include "framework/WinApp.h"

namespace {

// The dialog-initialisation resource type, RT_DLGINIT, which MinGW's headers do not name.
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

bool IsPushButton(HWND window) {
    char className[16] = {};
    if (::GetClassNameA(window, className, sizeof className) == 0 || ::lstrcmpiA(className, "Button") != 0) {
        return false;
    }
    const LONG_PTR type = ::GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
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

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_pParentWnd(parent), m_templateId(templateId) {}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_pParentWnd = parent;
    HookWindowCreate(this);
    const HWND hwnd = afx::CreateDialogFromTemplate(
        AfxGetInstanceHandle(), templateId, parent != nullptr ? parent->m_hWnd : nullptr, &AfxDlgProc);
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
        const BOOL got = afx::GetNextMessage(&msg);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) {
            break;
        }
        if (!AfxWalkPreTranslateTree(m_hWnd, &msg) && !afx::IsDialogMessageOf(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            afx::DispatchTheMessage(&msg);
        }
        RestoreLostFocus();
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

void CDialog::RestoreLostFocus() {
    // A control disabled while it has the focus (Apply, once it has applied) leaves no window with the
    // focus, and the keyboard then reaches no control at all: the focus goes to the default button, or
    // to the first control that takes it.
    if (m_endModal || m_hWnd == nullptr || ::GetFocus() != nullptr || ::GetActiveWindow() != m_hWnd ||
        ::IsIconic(m_hWnd)) {
        return;
    }
    HWND control = nullptr;
    const LRESULT defId = SendMessage(DM_GETDEFID, 0, 0);
    if (HIWORD(defId) == DC_HASDEFID) {
        control = ::GetDlgItem(m_hWnd, LOWORD(defId));
    }
    if (control == nullptr || !::IsWindowEnabled(control) || !::IsWindowVisible(control)) {
        control = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
    }
    if (control != nullptr) {
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
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

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_SYSCHAR && AfxPressMnemonic(m_hWnd, static_cast<char>(msg->wParam))) {
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && IsPushButton(msg->hwnd) &&
        ::GetParent(msg->hwnd) == m_hWnd) {
        // Enter presses the push button that has the focus. The dialog manager only does that for a
        // button that answers as the default one, which an owner-drawn button never does, and would
        // send the click to the top-level dialog rather than to the page that owns the button.
        if (::IsWindowEnabled(msg->hwnd)) {
            ::SendMessageA(msg->hwnd, BM_CLICK, 0, 0);
        }
        return TRUE;
    }
    // A key pressed elsewhere in this dialog (on one of its own buttons, say) is offered to the children
    // that act on their host's keys: a hosted property sheet still changes its pages. The child the key
    // comes from has had its turn already.
    if (msg->message != WM_KEYDOWN) {
        return FALSE;
    }
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (msg->hwnd == child || ::IsChild(child, msg->hwnd)) {
            continue;
        }
        CWnd* wnd = CWnd::FromHandlePermanent(child);
        if (wnd != nullptr && wnd->PreTranslateHostKey(msg)) {
            return TRUE;
        }
    }
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
