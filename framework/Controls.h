// Thin objects for the standard controls the program attaches to.
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {};

class CStatic : public CWnd {
  public:
    HICON SetIcon(HICON icon) {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
};
