#include "pages/CPleaseWaitDlg.h"

#include <commctrl.h>

#include <ctime>

#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/StartMenuSettings.h"

namespace {

constexpr int kProgressBar = IDC_PLEASEWAIT_PROGRESS;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriod = 1;  // milliseconds: the loop starts as soon as the box is up

CWnd* MainWindow() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pMainWnd : nullptr;
}

}  // namespace

CPleaseWaitDlg::CPleaseWaitDlg(CWnd* parent) : CDialog(IDD, parent != nullptr ? parent : MainWindow()) {}

void CPleaseWaitDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kProgressBar, m_progress);
}

BOOL CPleaseWaitDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SetTimer(m_hWnd, kTimerId, kTimerPeriod, nullptr);
    return TRUE;
}

void CPleaseWaitDlg::RunProgress() {
    // The bar keeps the control's default range of 0 to 100: it is full long before the loop ends.
    velmora::RunPleaseWaitProgress([] { return static_cast<long>(std::clock()); },
                                   [this](int position) {
                                       ::Sleep(1);
                                       m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(position));
                                   });
}

BOOL CPleaseWaitDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_CREATE:
            if (DefWindowProc(message, wParam, lParam) == -1) {
                *result = -1;
                return TRUE;
            }
            CenterWindow();
            *result = 0;
            return TRUE;
        case WM_TIMER:
            // The loop processes no messages: the box can be neither moved nor closed meanwhile.
            RunProgress();
            OnOK();
            *result = DefWindowProc(message, wParam, lParam);
            return TRUE;
        default:
            return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
}
