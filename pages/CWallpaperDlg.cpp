#include "pages/CWallpaperDlg.h"

#include "res/resource.h"

CWallpaperDlg::CWallpaperDlg() : CInertPage(IDD) {}

void CWallpaperDlg::SetUpButtons() {
    m_browseButton.SetUp(this, IDC_WALLPAPER_BROWSE_BUTTON, IDI_BROWSE);
    // These two have no icon, only the hot caption.
    m_setWallpaperButton.SetUp(this, IDC_WALLPAPER_SET_BUTTON);
    m_infoTipButton.SetUp(this, IDC_WALLPAPER_INFOTIP_BUTTON);
}

void CWallpaperDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_WALLPAPER_INFOTIP_LIST, m_infoTipList);
    DDX_Control(dx, IDC_WALLPAPER_LIST, m_wallpaperList);
    DDX_CBIndex(dx, IDC_WALLPAPER_STYLE_COMBO, m_styleIndex);
    DDX_Text(dx, IDC_WALLPAPER_CURRENT_TEXT, m_currentWallpaper);
}

BOOL CWallpaperDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // Nothing could be set or viewed in this edition, so these stay disabled for good.
    ::EnableWindow(GetDlgItemHwnd(IDC_WALLPAPER_SET_BUTTON), FALSE);
    ::EnableWindow(GetDlgItemHwnd(IDC_WALLPAPER_INFOTIP_BUTTON), FALSE);
    return TRUE;
}
