#include "pages/CRegInfoDlg.h"

CRegInfoDlg::CRegInfoDlg() : CPropertyPage(IDD) {}
