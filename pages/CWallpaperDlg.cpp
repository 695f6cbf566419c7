#include "pages/CWallpaperDlg.h"

#include "res/resource.h"

CWallpaperDlg::CWallpaperDlg() : CInertPage(IDD) {}

void CWallpaperDlg::SetUpButtons() {
    m_browseButton.SubclassDlgItem(kBrowseButton, this);
    m_browseButton.LoadIcons(IDI_BROWSE, 0, 32, 32);
    m_browseButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
    // These two have no icon, only the hot caption.
    m_setWallpaperButton.SubclassDlgItem(kSetWallpaperButton, this);
    m_setWallpaperButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
    m_infoTipButton.SubclassDlgItem(kInfoTipButton, this);
    m_infoTipButton.SetHotTextColor(RGB(0, 0, 255), FALSE);
}

void CWallpaperDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    DDX_Control(dx, kInfoTipList, m_infoTipList);
    DDX_Control(dx, kWallpaperList, m_wallpaperList);
    DDX_CBIndex(dx, kStyleCombo, m_styleIndex);
    DDX_Text(dx, kCurrentWallpaper, m_currentWallpaper);
}

BOOL CWallpaperDlg::OnInitDialog() {
    CInertPage::OnInitDialog();
    // Nothing could be set or viewed in this edition, so these stay disabled for good.
    ::EnableWindow(GetDlgItemHwnd(kSetWallpaperButton), FALSE);
    ::EnableWindow(GetDlgItemHwnd(kInfoTipButton), FALSE);
    return TRUE;
}
