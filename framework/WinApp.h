// CWinApp: the one application object. The framework's entry point finds it, runs InitInstance and,
// when that returns FALSE, ends the process.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// A message box owned by the main window (when it exists), captioned with the executable's name
// without its extension.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
// The executable's file name without folder and extension.
std::string AfxGetAppName();
