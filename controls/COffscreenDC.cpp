#include "controls/COffscreenDC.h"

COffscreenDC::COffscreenDC(HDC target) : m_target(target) {
    ::GetClipBox(target, &m_rect);
    const HDC memory = ::CreateCompatibleDC(target);
    if (memory != nullptr) {
        m_bitmap = ::CreateCompatibleBitmap(target, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
        if (m_bitmap != nullptr) {
            m_hDC = memory;
            m_oldBitmap = ::SelectObject(memory, m_bitmap);
            ::SetWindowOrgEx(memory, m_rect.left, m_rect.top, nullptr);
            m_offscreen = TRUE;
            return;
        }
        ::DeleteDC(memory);
    }
    m_hDC = target;
}

COffscreenDC::~COffscreenDC() {
    if (m_offscreen) {
        ::BitBlt(m_target, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
                 m_hDC, m_rect.left, m_rect.top, SRCCOPY);
        ::SelectObject(m_hDC, m_oldBitmap);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_hDC);
    }
    m_hDC = nullptr;
}
