#include "pages/CInternetDlg.h"

CInternetDlg::CInternetDlg() : CPropertyPage(IDD) {}
