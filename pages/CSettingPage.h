// A page of settings that are applied later: a touched control marks its setting and lights up the main
// window's Apply button; the page's model decides which notifications count. The main window's apply
// cycle reaches the page through velmora::AppliedPage: the model's rows, the page's data exchange to take
// its controls into the model's members, and the table's caption to name a row that could not be saved.
#pragma once

#include "framework/PropertyPage.h"
#include "settings/AppliedPage.h"
#include "settings/SettingsModel.h"

class CSettingPage : public CPropertyPage, public velmora::AppliedPage {
  public:
    CSettingPage(UINT templateId, velmora::SettingsModel& model)
        : CPropertyPage(templateId), m_model(model) {}

    velmora::SettingsModel& Rows() override { return m_model; }
    // The page's DoDataExchange, which walks the model's table.
    void TakeControls() override { UpdateData(TRUE); }

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The main window is the parent of the sheet, which is this page's parent.
    void EnableApply();
    HWND MainWindow() const;

  private:
    velmora::SettingsModel& m_model;
};
