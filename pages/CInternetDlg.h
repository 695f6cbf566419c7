// The Internet page: TCP/IP tuning choices and current values, laid out without function in this
// edition; only its tooltip over the recommendation line explains something.
#pragma once

#include <string>

#include "pages/CInertPage.h"
#include "pages/PageToolTips.h"
#include "res/resource.h"

class CInternetDlg : public CInertPage {
  public:
    BOOL PreTranslateMessage(MSG* msg) override;
    enum { IDD = IDD_INTERNET };
    enum : int { kRecommendationField = IDC_INTERNET_RECOMMENDATION_TEXT, kRecommendationToolId = 99 };
    CInternetDlg();

    BOOL OnInitDialog() override;

  private:
    PageToolTips m_toolTips;
};
