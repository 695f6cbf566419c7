#include "cli/core/LoadedPages.h"

#include "settings/OsVersion.h"

namespace velmora::cli {

LoadedPages::LoadedPages(Services services)
    : startMenu(services),
      desktop(services),
      misc(services),
      security(services),
      nt_(IsWindowsNt(services.registry)),
      versionLoaded_(IsWindows98(services.registry) && !nt_),
      dragLoaded_(HasPlusExtension(services.parameters) || nt_) {
    startMenu.Load();
    desktop.Load();
    if (versionLoaded_) {
        desktop.LoadWindowsVersion();
    }
    if (dragLoaded_) {
        misc.LoadDragAndSmoothing();
    }
    misc.Load();
    if (!nt_) {
        security.Load();
    }
}

std::string LoadedPages::NotLoaded(const ListedSetting& row) const {
    if (row.page == Page::kSecurity && nt_) {
        return "no Security page on Windows NT";
    }
    if (row.load == LoadWhen::kWindows98 && !versionLoaded_) {
        return "Only Windows 98";
    }
    if (row.load == LoadWhen::kWithShellExtensions && !dragLoaded_) {
        return "needs the Windows extensions or Windows NT";
    }
    return "";
}

BoundMember LoadedPages::Bind(const ListedSetting& row) {
    switch (row.page) {
        case Page::kStartMenu:
            return startMenu.Bind(row.state, row.index);
        case Page::kDesktop:
            return desktop.Bind(row.state, row.index);
        case Page::kMiscellaneous:
            return misc.Bind(row.state, row.index);
        case Page::kSecurity:
            break;
    }
    return security.Bind(row.state, row.index);
}

SettingsModel& LoadedPages::Rows(Page page) {
    switch (page) {
        case Page::kStartMenu:
            return startMenu;
        case Page::kDesktop:
            return desktop;
        case Page::kMiscellaneous:
            return misc;
        case Page::kSecurity:
            break;
    }
    return security;
}

}  // namespace velmora::cli
