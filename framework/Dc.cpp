#include "framework/Dc.h"

CPaintDC::CPaintDC(HWND hwnd) : m_hWnd(hwnd) {
    m_hDC = ::BeginPaint(hwnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
}
