#include "pages/CMoreSecurityDlg.h"

CMoreSecurityDlg::CMoreSecurityDlg() : CPropertyPage(IDD) {}
