// The About page: version, build, the two message lines the main window gives it, and the maker's links.
#pragma once

#include "framework/PropertyPage.h"

class CAboutDialog : public CPropertyPage {
  public:
    enum { IDD = 153 };
    CAboutDialog();
};
