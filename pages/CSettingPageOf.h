// A setting page with its model: `Model` (one of the setting pages' table models) is made from the
// services with the page, is the rows CSettingPage touches and applies, and its table is what the page's
// data exchange walks (ExchangeRows). A page with more to exchange, or with something to do around it,
// says so in its own DoDataExchange and calls this one.
#pragma once

#include <windows.h>

#include "pages/CSettingPage.h"
#include "pages/ExchangeRows.h"
#include "system/Services.h"

template <class Model>
class CSettingPageOf : public CSettingPage {
  public:
    Model& Settings() { return m_settings; }
    const Model& Settings() const { return m_settings; }

  protected:
    CSettingPageOf(UINT templateId, velmora::Services services)
        : CSettingPage(templateId, m_settings), m_settings(services) {}

    void DoDataExchange(CDataExchange* dx) override {
        CSettingPage::DoDataExchange(dx);
        ExchangeRows(dx, m_settings);
    }

    Model m_settings;
};
