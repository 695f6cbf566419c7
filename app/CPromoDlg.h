// The small window shown while the main window starts: no close box, removed by the main window once it
// is shown.
#pragma once

#include "framework/Dialog.h"

class CPromoDlg : public CDialog {
  public:
    enum { IDD = 163 };
    CPromoDlg() : CDialog(IDD) {}

  protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
