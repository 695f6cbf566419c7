// CDC: a device context, and the one drawing call the main window makes itself (its icon when
// minimised); the program's own controls draw with the Win32 calls on its handle.
#pragma once

#include <windows.h>

class CDC {
  public:
    CDC() = default;
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }

    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
};

// The device context of a WM_PAINT, begun and ended with the object.
class CPaintDC : public CDC {
  public:
    explicit CPaintDC(HWND hwnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

  private:
    HWND m_hWnd;
};
