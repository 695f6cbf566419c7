#include "pages/CUninstallDlg.h"

CUninstallDlg::CUninstallDlg() : CPropertyPage(IDD) {}
