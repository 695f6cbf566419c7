#include "pages/CWallpaperDlg.h"

CWallpaperDlg::CWallpaperDlg() : CPropertyPage(IDD) {}
