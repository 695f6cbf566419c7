#include "app/CVelmoraApp.h"

#include "app/CMainWindow.h"
#include "app/CWineFonts.h"

namespace {

CVelmoraApp theApp;

}  // namespace

BOOL CVelmoraApp::InitInstance() {
    // Before the first window (the promotional window comes with the main window's object): the dialogs
    // take their font when they are created. The faces added are removed again when the window has ended.
    CWineFonts wineFonts;
    wineFonts.AddMissing();

    CMainWindow dialog(m_services.Get());
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
