// The System page for Windows 9x: crash log, Scandisk, boot options and the logon notice, laid out
// without function in this edition.
#pragma once

#include <string>

#include "pages/CInertPage.h"
#include "res/resource.h"

class CSystemDlg : public CInertPage {
  public:
    enum { IDD = IDD_SYSTEM };
    enum : int {
        kBootDelayEdit = IDC_SYSTEM_BOOT_DELAY_EDIT,
        kBootDelaySpin = IDC_SYSTEM_BOOT_DELAY_SPIN,
        kCaptionEdit = IDC_SYSTEM_CAPTION_EDIT,
        kTextEdit = IDC_SYSTEM_TEXT_EDIT,
        kNoticeMax = 255,
    };
    CSystemDlg();

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    int m_logErrors = 0;
    int m_scandisk = -1;
    int m_functionKeys = 0;
    int m_startGui = 0;
    int m_splash = 0;
    int m_previousOs = 0;
    int m_bootMenu = 0;
    std::string m_bootDelay;
    std::string m_installationFiles;
    std::string m_caption;
    std::string m_text;
    int m_legalNotice = 0;
};
