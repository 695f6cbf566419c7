// The box that asks the user to wait while the shell takes up changed Start Menu folders: a progress bar
// runs for about 1.8 seconds, then the box closes itself as if OK had been pressed.
#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"

class CPleaseWaitDlg : public CDialog {
  public:
    enum { IDD = IDD_PLEASEWAIT };
    // Without a parent the main window owns the box, as it owns the program's other modal boxes.
    explicit CPleaseWaitDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void RunProgress();

    CWnd m_progress;
};
