#include "pages/CMiscDlg.h"

CMiscDlg::CMiscDlg() : CPropertyPage(IDD) {}
