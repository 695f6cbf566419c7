#include "app/CVelmoraApp.h"

#include "app/CMainWindow.h"

namespace {

CVelmoraApp theApp;

}  // namespace

BOOL CVelmoraApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    CMainWindow dialog(m_services.Get());
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
