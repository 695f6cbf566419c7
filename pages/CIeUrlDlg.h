// Internet Explorer page, Default URLs panel: four address fields, inert in this edition.
#pragma once

#include <string>

#include "pages/CInertPage.h"
#include "res/resource.h"

class CIeUrlDlg : public CInertPage {
  public:
    enum { IDD = IDD_IEURLS };
    CIeUrlDlg() : CInertPage(IDD) {}

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    std::string m_blankPage;
    std::string m_navigationCanceled;
    std::string m_navigationFailed;
    std::string m_offlineFailed;
};
