#include "pages/CIeMiscDlg.h"

#include "res/resource.h"

void CIeMiscDlg::SetUpButtons() {
    m_clearTypedUrlsButton.SetUp(this, IDC_IEMISC_CLEAR_TYPED_URLS_BUTTON, IDI_EDIT);
}
