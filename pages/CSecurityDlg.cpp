#include "pages/CSecurityDlg.h"

CSecurityDlg::CSecurityDlg() : CPropertyPage(IDD) {}
