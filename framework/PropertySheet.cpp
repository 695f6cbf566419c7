#include "framework/PropertySheet.h"

#include <cstring>

#include "framework/WinApp.h"
#include "text/win32/WideCalls.h"

namespace {

// The sheet being created; its callback has no other way to find it.
thread_local CPropertySheet* t_creatingSheet = nullptr;

constexpr int kApplyNowId = 0x3021;

}  // namespace

int CALLBACK AfxSheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && t_creatingSheet != nullptr && lParam != 0) {
        t_creatingSheet->AdjustTemplate(lParam);
    }
    return 0;
}

void CPropertySheet::AdjustTemplate(LPARAM dialogTemplate) const {
    // The sheet's template is edited in place before its window is made: a child without caption or
    // frame. It is a DLGTEMPLATEEX when its second word is 0xFFFF, else a DLGTEMPLATE.
    auto* bytes = reinterpret_cast<BYTE*>(dialogTemplate);
    WORD signature = 0;
    std::memcpy(&signature, bytes + 2, sizeof signature);
    const bool extended = signature == 0xFFFF;
    BYTE* styleAt = extended ? bytes + 12 : bytes;
    BYTE* exStyleAt = extended ? bytes + 8 : bytes + 4;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::memcpy(&style, styleAt, sizeof style);
    std::memcpy(&exStyle, exStyleAt, sizeof exStyle);
    style &= ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE);
    style |= m_createStyle | DS_CONTROL;
    exStyle |= m_createExStyle;
    std::memcpy(styleAt, &style, sizeof style);
    std::memcpy(exStyleAt, &exStyle, sizeof exStyle);
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
    m_createStyle = style;
    m_createExStyle = exStyle;
    m_psps.clear();
    for (CPropertyPage* page : m_pages) {
        m_psps.push_back(page->m_psp);
    }

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_NOAPPLYNOW | PSH_PROPSHEETPAGE;
    header.hwndParent = parent != nullptr ? parent->m_hWnd : nullptr;
    header.hInstance = AfxGetInstanceHandle();
    header.nPages = static_cast<UINT>(m_psps.size());
    header.ppsp = m_psps.data();
    header.pfnCallback = &AfxSheetCallback;

    t_creatingSheet = this;
    HookWindowCreate(this);
    // The pages name their templates by number and carry no text, so the ANSI structures serve the
    // Unicode call as they are; on the NT family the sheet and its pages are then Unicode windows.
    const auto& wide = velmora::text::WideCalls();
    const INT_PTR created = wide.Complete() && wide.propertySheet != nullptr
                                ? wide.propertySheet(reinterpret_cast<LPCPROPSHEETHEADERW>(&header))
                                : ::PropertySheetA(&header);
    UnhookWindowCreate();
    t_creatingSheet = nullptr;
    if (created <= 0 || m_hWnd == nullptr) {
        return FALSE;
    }
    RemoveOwnButtons();
    if (!m_stacked) {
        const HWND tabs = GetTabControl();
        const LONG_PTR tabStyle = ::GetWindowLongPtrA(tabs, GWL_STYLE);
        ::SetWindowLongPtrA(tabs, GWL_STYLE, tabStyle & ~static_cast<LONG_PTR>(TCS_MULTILINE));
    }
    return TRUE;
}

void CPropertySheet::RemoveOwnButtons() {
    for (int id : {IDOK, IDCANCEL, kApplyNowId, IDHELP}) {
        if (const HWND button = ::GetDlgItem(m_hWnd, id); button != nullptr) {
            ::ShowWindow(button, SW_HIDE);
            ::EnableWindow(button, FALSE);
        }
    }
}

BOOL CPropertySheet::SetActivePage(int index) {
    return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(index), 0));
}

int CPropertySheet::PageStepOf(const MSG& msg) {
    // The key state is the one of the message just taken from the queue.
    if (msg.message != WM_KEYDOWN || (::GetKeyState(VK_CONTROL) & 0x8000) == 0 ||
        (::GetKeyState(VK_MENU) & 0x8000) != 0) {
        return 0;
    }
    switch (msg.wParam) {
        case VK_TAB:
            return (::GetKeyState(VK_SHIFT) & 0x8000) != 0 ? -1 : 1;
        case VK_NEXT:
            return 1;
        case VK_PRIOR:
            return -1;
        default:
            return 0;
    }
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    const auto current = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    for (CPropertyPage* page : m_pages) {
        if (current != nullptr && page->m_hWnd == current) {
            return page;
        }
    }
    return nullptr;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
    const int step = PageStepOf(*msg);
    if (step == 0 || m_hWnd == nullptr || m_pages.empty()) {
        return CWnd::PreTranslateMessage(msg);
    }
    if (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) {
        // A control that takes every key for itself keeps it; the sheet says so by not handling it.
        if (SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)) == 0) {
            return FALSE;
        }
    } else {
        StepPage(step);
    }
    // The page that had the focus may now be hidden: the focus goes to the tabs, as after a click on one.
    if (const HWND focus = ::GetFocus(); focus == nullptr || !::IsWindowVisible(focus)) {
        ::SetFocus(GetTabControl());
    }
    return TRUE;
}

BOOL CPropertySheet::PreTranslateHostKey(MSG* msg) {
    return PageStepOf(*msg) != 0 ? PreTranslateMessage(msg) : FALSE;
}

void CPropertySheet::StepPage(int step) {
    const int count = GetPageCount();
    const int current = static_cast<int>(::SendMessageA(GetTabControl(), TCM_GETCURSEL, 0, 0));
    const int from = current < 0 ? 0 : current;
    SetActivePage(((from + step) % count + count) % count);
}

HWND CPropertySheet::GetTabControl() const {
    return reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL, 0, 0));
}
