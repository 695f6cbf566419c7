#include "app/CAboutDialog.h"

CAboutDialog::CAboutDialog() : CPropertyPage(IDD) {}
