// The Wallpaper/Util page, shown without function in this edition.
#pragma once

#include "framework/PropertyPage.h"

class CWallpaperDlg : public CPropertyPage {
  public:
    enum { IDD = 165 };
    CWallpaperDlg();
};
