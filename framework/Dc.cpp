#include "framework/Dc.h"

void CDC::FillSolidRect(const RECT& rect, COLORREF color) {
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    FillSolidRect(RECT{rect.left, rect.top, rect.left + width - 1, rect.top + 1}, topLeft);
    FillSolidRect(RECT{rect.left, rect.top, rect.left + 1, rect.top + height - 1}, topLeft);
    FillSolidRect(RECT{rect.left + width - 1, rect.top, rect.left + width, rect.top + height}, bottomRight);
    FillSolidRect(RECT{rect.left, rect.top + height - 1, rect.left + width, rect.top + height}, bottomRight);
}

CPaintDC::CPaintDC(HWND hwnd) : m_hWnd(hwnd) {
    m_hDC = ::BeginPaint(hwnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
}
