#include "pages/CInertPage.h"

BOOL CInertPage::OnCommand(WPARAM, LPARAM) {
    // Also swallows IDOK and IDCANCEL: a page or panel must never end itself as a dialog.
    OnNothing();
    return TRUE;
}
