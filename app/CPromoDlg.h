// The small window shown while the main window starts: no close box, removed by the main window once it
// is shown.
#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"

class CPromoDlg : public CDialog {
  public:
    enum { IDD = IDD_PROMO };
    CPromoDlg() : CDialog(IDD) {}

  protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
