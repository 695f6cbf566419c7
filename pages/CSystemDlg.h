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
    std::string m_caption;
    std::string m_text;
};
