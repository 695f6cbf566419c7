// The application object: runs the main window as a modal dialog; when it ends, the program ends.
#pragma once

#include "framework/WinApp.h"
#include "system/win32/Win32Services.h"

class CVelmoraApp : public CWinApp {
  public:
    BOOL InitInstance() override;

  private:
    velmora::Win32Services m_services;
};
