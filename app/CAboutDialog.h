// The About page: version, build, the two message lines the main window gives it, and the maker's links.
#pragma once

#include <string>

#include "controls/CHyperLink.h"
#include "framework/PropertyPage.h"
#include "res/resource.h"
#include "system/Services.h"

class CAboutDialog : public CPropertyPage {
  public:
    enum { IDD = IDD_ABOUT };
    explicit CAboutDialog(velmora::Services services);

    // The two message lines; they show from the next activation of the page on.
    void SetMessages(const std::string& first, const std::string& second);

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    // Declaration order is construction order.
    CHyperLink m_supportAddressLink;
    CHyperLink m_homePageAddressLink;
    CHyperLink m_homePageLink;
    CHyperLink m_emailLink;
    std::string m_secondMessage;
    std::string m_firstMessage;
};
