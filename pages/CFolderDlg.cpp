#include "pages/CFolderDlg.h"

CFolderDlg::CFolderDlg() : CPropertyPage(IDD) {}
