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

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    int m_mtuChoice = -1;
    int m_rwinChoice = -1;
    int m_ttlChoice = -1;
    std::string m_maxMtuLocation;
    std::string m_currentMaxMtu;
    std::string m_currentMaxMss;
    std::string m_customMtu;
    std::string m_customRwin;
    std::string m_recommendation;
    std::string m_currentTtl;
    std::string m_currentRwin;
    PageToolTips m_toolTips;
};
