#include "pages/CIeUrlTemplateDlg.h"

void CIeUrlTemplateDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    // Fields "1." to "5." are the controls 1275 to 1279.
    for (int i = 0; i < static_cast<int>(m_templates.size()); ++i) {
        DDX_Text(dx, 1275 + i, m_templates[static_cast<std::size_t>(i)]);
    }
}
