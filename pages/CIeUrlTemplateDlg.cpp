#include "pages/CIeUrlTemplateDlg.h"

#include "res/resource.h"

void CIeUrlTemplateDlg::DoDataExchange(CDataExchange* dx) {
    CInertPage::DoDataExchange(dx);
    // Fields "1." to "5." are five controls with consecutive ids.
    for (int i = 0; i < static_cast<int>(m_templates.size()); ++i) {
        DDX_Text(dx, IDC_IETEMPLATES_URL1_EDIT + i, m_templates[static_cast<std::size_t>(i)]);
    }
}
