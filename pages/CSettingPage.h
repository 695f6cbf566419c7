// A page of settings that are applied later: a touched control marks its setting and lights up the main
// window's Apply button; the page's model decides which notifications count.
#pragma once

#include "framework/PropertyPage.h"
#include "settings/ApplyCycle.h"
#include "settings/SettingsModel.h"

class CSettingPage : public CPropertyPage {
  public:
    CSettingPage(UINT templateId, velmora::SettingsModel& model)
        : CPropertyPage(templateId), m_model(model) {}

    // What each apply routine does first: the page's controls into the model's members.
    velmora::PullControls Pull() {
        return [this] { UpdateData(TRUE); };
    }
    // How the page's controls name the settings in a message about what could not be saved.
    velmora::CaptionOfControl Captions() const;
    velmora::SettingsModel& Model() { return m_model; }

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The main window is the parent of the sheet, which is this page's parent.
    void EnableApply();
    HWND MainWindow() const;

  private:
    velmora::SettingsModel& m_model;
};
