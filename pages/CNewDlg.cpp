#include "pages/CNewDlg.h"

CNewDlg::CNewDlg() : CPropertyPage(IDD) {}
