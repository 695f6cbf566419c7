#include "pages/CSystemNtDlg.h"

CSystemNtDlg::CSystemNtDlg() : CPropertyPage(IDD) {}
