// The four setting pages' models loaded as the main window loads them on this system, and which of their
// rows it does not load here. `show` reads them; `apply` changes their members and applies them through
// the main window's apply cycle.
#pragma once

#include <string>

#include "cli/core/PageSettings.h"
#include "settings/DesktopSettings.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"

namespace velmora::cli {

class LoadedPages {
  public:
    explicit LoadedPages(Services services);

    // Why the main window does not load `row` on this system; empty when it does.
    std::string NotLoaded(const ListedSetting& row) const;
    // The member the entry's control is exchanged with.
    BoundMember Bind(const ListedSetting& row);
    TableModel& Rows(Page page);

    StartMenuSettings startMenu;
    DesktopSettings desktop;
    MiscSettings misc;
    SecuritySettings security;

  private:
    WindowsTraits windows_;
};

}  // namespace velmora::cli
