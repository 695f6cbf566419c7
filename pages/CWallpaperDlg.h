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
    enum : int {
        kStyleCombo = IDC_WALLPAPER_STYLE_COMBO,
        kCurrentWallpaper = IDC_WALLPAPER_CURRENT_TEXT,
        kWallpaperList = IDC_WALLPAPER_LIST,
        kSetWallpaperButton = IDC_WALLPAPER_SET_BUTTON,
        kInfoTipList = IDC_WALLPAPER_INFOTIP_LIST,
        kInfoTipButton = IDC_WALLPAPER_INFOTIP_BUTTON,
        kBrowseButton = IDC_WALLPAPER_BROWSE_BUTTON,
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
