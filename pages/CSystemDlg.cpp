#include "pages/CSystemDlg.h"

CSystemDlg::CSystemDlg() : CPropertyPage(IDD) {}
