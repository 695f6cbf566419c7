#include "pages/CPrefsDlg.h"

CPrefsDlg::CPrefsDlg() : CPropertyPage(IDD) {}
