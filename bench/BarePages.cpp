// The floor of Velmora's own start-up steps: what the window must do, done with bare Win32 calls and
// nothing of the program's framework. Before the main window's initialisation it does only what
// Velmora must do before its own (make the missing faces available, show the promotional window);
// then, in the main window's template, it creates the property sheet with the pages Velmora shows on
// this system (their templates, the Internet Explorer page's four panels in it), every page window
// once from the last to the first with redrawing off, as Velmora does; no subclassing, tooltips, icon
// buttons, data exchange or loads. It is shown, waits the same 1,200 ms and drops the promotional
// window, and is timed with the same marks as Velmora (bench/StartupMarks.h).
//
// Built twice more, each with one of Velmora's own costs added, so that its share of the time and memory
// can be told from the rest: BarePagesTips.exe (VELMORA_BARE_TOOLTIPS) with the tooltip controls that
// Velmora's pages make in their initialisation (one control per tooltip, one tool each, activated), and
// BarePagesReader.exe (VELMORA_BARE_READER) with Velmora's list reader, the same walk on a thread of its
// own started as the initialisation begins, whose lists are dropped.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <vector>

#include "app/CWineFonts.h"
#include "bench/StartupMarks.h"
#include "registry/Win32Registry.h"
#include "res/resource.h"
#include "settings/OsVersion.h"
#include "settings/StartupLists.h"

namespace {

constexpr DWORD kShowWindowWait = 1200;

HINSTANCE g_instance = nullptr;
HWND g_promo = nullptr;

// The tooltip controls of Velmora's pages: each page's controls with a tooltip of their own.
struct PageTips {
    int page;
    std::vector<int> controls;
};
[[maybe_unused]] const PageTips kPageTips[] = {
    {IDD_STARTMENU,
     {IDC_STARTMENU_CLEAR_DOCS_BUTTON, IDC_STARTMENU_CLEAR_RUN_BUTTON, IDC_STARTMENU_CLEAR_FIND_BUTTON}},
    {IDD_DESKTOP, {IDC_DESKTOP_REBUILD_ICONS_BUTTON}},
    {IDD_IE, {IDC_IE_OPTIONS_BUTTON}},
    {IDD_INTERNET, {IDC_INTERNET_RECOMMENDATION_TEXT}},
    {IDD_PREFERENCES,
     {IDC_PREFS_REGEDIT_BUTTON, IDC_PREFS_SYSEDIT_BUTTON, IDC_PREFS_SYSTEM_INFO_BUTTON,
      IDC_PREFS_IP_CONFIG_BUTTON}},
};

// A page's WM_INITDIALOG: its tooltips, in the tooltip build.
void MakeTips([[maybe_unused]] HWND page, [[maybe_unused]] LPARAM init) {
#ifdef VELMORA_BARE_TOOLTIPS
    const int id = static_cast<int>(reinterpret_cast<const PROPSHEETPAGEA*>(init)->lParam);
    for (const PageTips& tips : kPageTips) {
        if (tips.page != id) {
            continue;
        }
        for (const int control : tips.controls) {
            const HWND tip =
                ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, page, nullptr, g_instance, nullptr);
            TOOLINFOA tool{};
            tool.cbSize = TTTOOLINFOA_V2_SIZE;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = page;
            tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(page, control));
            tool.lpszText = const_cast<char*>("Click here to start the tool!");
            ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
            ::SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
        }
    }
#endif
}

// The list reader's thread, in the reader build: the program's walk of the three lists.
[[maybe_unused]] DWORD WINAPI ReadLists(LPVOID) {
    velmora::Win32Registry registry;
    velmora::ReadStartupLists(
        registry, [] { return false; }, [](std::unique_ptr<velmora::StartupList>) {});
    return 0;
}

void StartReader() {
#ifdef VELMORA_BARE_READER
    DWORD id = 0;
    if (const HANDLE thread = ::CreateThread(nullptr, 0, ReadLists, nullptr, 0, &id)) {
        ::CloseHandle(thread);
    }
#endif
}

INT_PTR CALLBACK QuietProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        MakeTips(page, lParam);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PanelProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The Internet Explorer page holds its four option panels.
INT_PTR CALLBACK InternetExplorerProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        MakeTips(page, lParam);
        for (const int panel : {IDD_IEURLS, IDD_IETEMPLATES, IDD_IEMISC, IDD_OUTLOOK}) {
            ::CreateDialogParamA(g_instance, MAKEINTRESOURCEA(panel), page, PanelProc, 0);
        }
        return TRUE;
    }
    return FALSE;
}

// The sheet's template made a child without caption or frame, as Velmora's sheet makes it.
int CALLBACK SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam != 0) {
        auto* bytes = reinterpret_cast<BYTE*>(lParam);
        const bool extended = reinterpret_cast<WORD*>(bytes)[1] == 0xFFFF;
        auto* style = reinterpret_cast<DWORD*>(extended ? bytes + 12 : bytes);
        *style &= ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE);
        *style |= WS_CHILD | WS_VISIBLE | DS_CONTROL;
    }
    return 0;
}

// The pages in the main window's order, those of the other family left out.
std::vector<int> PagesShown() {
    velmora::Win32Registry registry;
    const bool nt = velmora::IsWindowsNt(registry);
    std::vector<int> pages = {IDD_STARTMENU, IDD_DESKTOP, IDD_MISC, IDD_ADDREMOVE, IDD_NEW, IDD_FOLDERSRUN};
    if (!nt) {
        pages.insert(pages.end(), {IDD_SECURITY, IDD_SYSTEM});
    } else {
        pages.push_back(IDD_SYSTEMNT);
    }
    pages.insert(pages.end(), {IDD_WALLPAPER, IDD_IE});
    if (!nt) {
        pages.push_back(IDD_INTERNET);
    }
    pages.push_back(IDD_REGINFO);
    if (!nt) {
        pages.push_back(IDD_MORESECURITY);
    }
    pages.insert(pages.end(), {IDD_PREFERENCES, IDD_ABOUT});
    return pages;
}

void CreateSheet(HWND window) {
    std::vector<PROPSHEETPAGEA> pages;
    for (const int id : PagesShown()) {
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof page;
        page.hInstance = g_instance;
        page.pszTemplate = MAKEINTRESOURCEA(id);
        page.pfnDlgProc = id == IDD_IE ? InternetExplorerProc : QuietProc;
        page.lParam = id;
        pages.push_back(page);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_NOAPPLYNOW | PSH_PROPSHEETPAGE;
    header.hwndParent = window;
    header.hInstance = g_instance;
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    const HWND sheet = reinterpret_cast<HWND>(::PropertySheetA(&header));
    if (sheet == nullptr) {
        return;
    }
    RECT frame{};
    ::GetWindowRect(::GetDlgItem(window, IDC_MAIN_FRAME), &frame);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
    ::MoveWindow(sheet, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    ::SendMessageA(sheet, WM_SETREDRAW, FALSE, 0);
    for (int index = static_cast<int>(pages.size()) - 1; index >= 0; --index) {
        ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    ::SendMessageA(sheet, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(sheet, nullptr, TRUE);
}

INT_PTR CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            velmora::bench::Mark("init");
            velmora::bench::MarkMemory("init");
            StartReader();
            CreateSheet(window);
            velmora::bench::Mark("pages created");
            velmora::bench::MarkMemory("pages created");
            velmora::bench::Mark("init done");
            velmora::bench::MarkMemory("init done");
            return TRUE;
        case WM_SHOWWINDOW:
            ::Sleep(kShowWindowWait);
            if (g_promo != nullptr) {
                ::DestroyWindow(g_promo);
                g_promo = nullptr;
            }
            if (wParam) {
                velmora::bench::WindowShown(window);
            }
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_instance = instance;
    ::InitCommonControls();
    CWineFonts fonts;
    fonts.AddMissing();
    g_promo = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PROMO), nullptr, PanelProc, 0);
    if (g_promo != nullptr) {
        ::ShowWindow(g_promo, SW_SHOW);
        ::RedrawWindow(g_promo, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainProc, 0);
    return 0;
}
