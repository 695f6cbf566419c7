#include "framework/WinApp.h"

#include <commctrl.h>

#include "framework/MessageCalls.h"
#include "framework/Wnd.h"
#include "text/win32/FileCalls.h"
#include "text/win32/WindowText.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

int CWinApp::Run() {
    MSG msg;
    while (afx::GetNextMessage(&msg) > 0) {
        ::TranslateMessage(&msg);
        afx::DispatchTheMessage(&msg);
    }
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr && g_app->m_hInstance != nullptr ? g_app->m_hInstance
                                                             : ::GetModuleHandleA(nullptr);
}

std::string AfxGetAppName() {
    std::string name = velmora::text::ModuleFileName(nullptr);
    if (const auto slash = name.find_last_of("\\/"); slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    if (const auto dot = name.rfind('.'); dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

int AfxMessageBox(const std::string& text, UINT type) {
    HWND owner = nullptr;
    if (g_app != nullptr && g_app->m_pMainWnd != nullptr && ::IsWindow(g_app->m_pMainWnd->m_hWnd)) {
        owner = ::GetLastActivePopup(g_app->m_pMainWnd->m_hWnd);
    }
    return velmora::text::MessageBox(owner, text, AfxGetAppName(), type);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    app->m_hInstance = instance;
    // The common controls of Windows 95 and NT 4.0 (property sheets, tabs, tooltips); their comctl32 has
    // no InitCommonControlsEx.
    ::InitCommonControls();
    int result = 0;
    try {
        result = app->InitInstance() ? app->Run() : app->ExitInstance();
    } catch (...) {
        result = 1;
    }
    CWnd::UnhookWindowCreate();
    return result;
}
