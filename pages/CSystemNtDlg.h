// The System page for Windows NT: shutdown, security, event-log and logon-message options, laid out
// without function in this edition.
#pragma once

#include <array>
#include <string>

#include "controls/CIconButton.h"
#include "pages/CInertPage.h"
#include "res/resource.h"

class CSystemNtDlg : public CInertPage {
  public:
    enum { IDD = IDD_SYSTEMNT };
    enum : int {
        kRecoveryDiscButton = IDC_SYSTEMNT_RECOVERY_DISC_BUTTON,
        kCaptionEdit = IDC_SYSTEMNT_CAPTION_EDIT,
        kTextEdit = IDC_SYSTEMNT_TEXT_EDIT,
        kNoticeMax = 255
    };
    CSystemNtDlg();

    void SetUpButtons();

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::string m_caption;
    std::string m_text;
    CIconButton m_recoveryDiscButton;
};
