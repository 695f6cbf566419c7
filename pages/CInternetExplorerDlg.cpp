#include "pages/CInternetExplorerDlg.h"

CInternetExplorerDlg::CInternetExplorerDlg() : CPropertyPage(IDD) {}
