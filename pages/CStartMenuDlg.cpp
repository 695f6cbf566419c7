#include "pages/CStartMenuDlg.h"

CStartMenuDlg::CStartMenuDlg() : CPropertyPage(IDD) {}
