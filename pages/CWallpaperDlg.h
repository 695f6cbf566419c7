// The Wallpaper/Util page: a wallpaper chooser and an info-tip list, laid out without function in this
// edition.
#pragma once

#include <string>

#include "controls/CIconButton.h"
#include "pages/CInertPage.h"

class CWallpaperDlg : public CInertPage {
  public:
    enum { IDD = 165 };
    enum : int {
        kStyleCombo = 1028,
        kCurrentWallpaper = 1018,
        kWallpaperList = 1134,
        kSetWallpaperButton = 1138,
        kInfoTipList = 1149,
        kInfoTipButton = 1151,
        kBrowseButton = 1175,
    };
    CWallpaperDlg();

    void SetUpButtons();
    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    CWnd m_infoTipList;
    CWnd m_wallpaperList;
    int m_styleIndex = -1;
    std::string m_currentWallpaper;
    CIconButton m_browseButton;
    CIconButton m_setWallpaperButton;
    CIconButton m_infoTipButton;
};
