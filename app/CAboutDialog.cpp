#include "app/CAboutDialog.h"

#include "app/Maker.h"
#include "framework/DataExchange.h"
#include "res/resource.h"

namespace {

constexpr int kEmailLink = IDC_ABOUT_EMAIL_LINK;
constexpr int kHomePageLink = IDC_ABOUT_HOME_PAGE_LINK;
constexpr int kFirstMessage = IDC_ABOUT_FIRST_MESSAGE;
constexpr int kSecondMessage = IDC_ABOUT_SECOND_MESSAGE;
constexpr int kSupportAddressLink = IDC_ABOUT_SUPPORT_ADDRESS_LINK;
constexpr int kHomePageAddressLink = IDC_ABOUT_HOME_PAGE_ADDRESS_LINK;

}  // namespace

CAboutDialog::CAboutDialog(velmora::Services services)
    : CPropertyPage(IDD),
      m_supportAddressLink(services),
      m_homePageAddressLink(services),
      m_homePageLink(services),
      m_emailLink(services) {}

void CAboutDialog::SetMessages(const std::string& first, const std::string& second) {
    m_firstMessage = first;
    m_secondMessage = second;
}

void CAboutDialog::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, kSupportAddressLink, m_supportAddressLink);
    DDX_Control(dx, kHomePageAddressLink, m_homePageAddressLink);
    DDX_Control(dx, kHomePageLink, m_homePageLink);
    DDX_Control(dx, kEmailLink, m_emailLink);
    DDX_Text(dx, kSecondMessage, m_secondMessage);
    DDX_Text(dx, kFirstMessage, m_firstMessage);
}

BOOL CAboutDialog::OnInitDialog() {
    CPropertyPage::OnInitDialog();  // attaches the links and shows the (still empty) messages
    const std::string mail = std::string("mailto:") + velmora::kSupportAddress;
    m_emailLink.SetLinkTarget(mail);
    m_homePageLink.SetLinkTarget(velmora::kHomePage);
    m_supportAddressLink.SetLinkTarget(mail);
    m_homePageAddressLink.SetLinkTarget(velmora::kHomePage);
    m_emailLink.SetUnderlined(TRUE);
    m_homePageLink.SetUnderlined(TRUE);
    m_supportAddressLink.SetUnderlined(TRUE);
    m_homePageAddressLink.SetUnderlined(TRUE);
    return TRUE;
}
