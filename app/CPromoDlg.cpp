#include "app/CPromoDlg.h"

BOOL CPromoDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_CREATE) {
        if (DefWindowProc(message, wParam, lParam) == -1) {
            *result = -1;
            return TRUE;
        }
        // No owner: centred on the screen's work area.
        CenterWindow();
        *result = 0;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}
