// The Wallpaper/Util page: a wallpaper chooser and an info-tip list, laid out without function in this
// edition.
#pragma once

#include <string>

#include "controls/CIconButton.h"
#include "pages/CInertPage.h"
#include "res/resource.h"

class CWallpaperDlg : public CInertPage {
  public:
    enum { IDD = IDD_WALLPAPER };
    CWallpaperDlg();

    void SetUpButtons();
    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    CWnd m_infoTipList;
    CWnd m_wallpaperList;
    CIconButton m_browseButton;
    CIconButton m_setWallpaperButton;
    CIconButton m_infoTipButton;
};
