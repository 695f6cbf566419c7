#include "pages/CMiscDlg.h"

using velmora::MiscSettings;

CMiscDlg::CMiscDlg(velmora::Services services) : CSettingPageOf(IDD, services) {
    m_settings.Attach(
        {[this] { return reinterpret_cast<velmora::WindowRef>(m_hWnd); }, [this] { UpdateData(FALSE); }});
}

void CMiscDlg::DisableDragAndSmoothing() {
    ::EnableWindow(GetDlgItemHwnd(IDC_MISC_FONT_SMOOTHING_BOX), FALSE);
    ::EnableWindow(GetDlgItemHwnd(IDC_MISC_DRAG_FULL_WINDOWS_BOX), FALSE);
}

void CMiscDlg::DoDataExchange(CDataExchange* dx) {
    CSettingPageOf::DoDataExchange(dx);
    DDX_Control(dx, IDC_MISC_CAUTION_GROUP, m_cautionGroup);
}

HBRUSH CMiscDlg::OnCtlColor(HDC dc, CWnd* child, UINT ctlType) {
    HBRUSH brush = CSettingPage::OnCtlColor(dc, child, ctlType);
    if (child != nullptr && child == &m_cautionGroup) {
        if (brush == nullptr) {
            // The dialog's own answer, which also sets the colours; the system owns that brush.
            brush = reinterpret_cast<HBRUSH>(DefWindowProc(WM_CTLCOLORMSGBOX + ctlType,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(child->m_hWnd)));
        }
        ::SetTextColor(dc, RGB(255, 0, 0));
    }
    return brush;
}
