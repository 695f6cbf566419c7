#include "pages/CMiscDlg.h"

using velmora::MiscSettings;

CMiscDlg::CMiscDlg(velmora::Services services) : CSettingPage(IDD), m_settings(services) {}

void CMiscDlg::DoDataExchange(CDataExchange* dx) {
    CSettingPage::DoDataExchange(dx);
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
