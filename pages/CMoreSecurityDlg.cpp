#include "pages/CMoreSecurityDlg.h"

namespace {

constexpr int kCheckBoxes[] = {1158, 1159, 1160, 1161, 1162, 1171, 1170, 1169, 1167,
                               1168, 1163, 1164, 1165, 1166, 1201, 1202, 1203};

}  // namespace

CMoreSecurityDlg::CMoreSecurityDlg() : CInertPage(IDD) {}

void CMoreSecurityDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        DDX_Check(dx, kCheckBoxes[i], m_checks[i]);
    }
}
