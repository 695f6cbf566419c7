#include "pages/CWallpaperDlg.h"

#include "res/resource.h"
#include "text/win32/WindowText.h"

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
}

BOOL CWallpaperDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // No wallpaper is named in this edition.
    velmora::text::SetWindowText(GetDlgItemHwnd(IDC_WALLPAPER_CURRENT_TEXT), "");
    // Nothing could be set or viewed in this edition, so these stay disabled for good.
    ::EnableWindow(GetDlgItemHwnd(IDC_WALLPAPER_SET_BUTTON), FALSE);
    ::EnableWindow(GetDlgItemHwnd(IDC_WALLPAPER_INFOTIP_BUTTON), FALSE);
    return TRUE;
}
