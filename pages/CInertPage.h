// Base of the pages (and the Internet Explorer page's option panels) that are laid out but do nothing in
// this edition: every notification of their controls ends in one handler that does nothing, so they
// never mark a change, never light up Apply and never touch the registry.
#pragma once

#include "framework/PropertyPage.h"

class CInertPage : public CPropertyPage {
  public:
    explicit CInertPage(UINT templateId) : CPropertyPage(templateId) {}

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The one handler for every click, selection and edit change of these pages.
    void OnNothing() {}
};
