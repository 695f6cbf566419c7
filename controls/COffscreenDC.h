// A device context that collects drawing in a bitmap and copies it to its target in one go when it
// ends, so that a control that paints in several steps does not flicker.
#pragma once

#include <windows.h>

#include "framework/Dc.h"

class COffscreenDC : public CDC {
  public:
    // Draws into a bitmap covering the target's clip box, in the target's own coordinates.
    explicit COffscreenDC(HDC target);
    // Copies the bitmap to the target.
    ~COffscreenDC() override;

  private:
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HDC m_target = nullptr;  // not owned
    RECT m_rect{};
    // Drawing goes to the bitmap; without memory for one, it goes straight to the target.
    BOOL m_offscreen = FALSE;
};
