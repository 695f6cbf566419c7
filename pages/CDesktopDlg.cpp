#include "pages/CDesktopDlg.h"

CDesktopDlg::CDesktopDlg() : CPropertyPage(IDD) {}
