#include "cli/core/LoadedPages.h"

#include "settings/Pages.h"

namespace velmora::cli {

LoadedPages::LoadedPages(Services services)
    : startMenu(services),
      desktop(services),
      misc(services),
      security(services),
      windows_(WindowsTraits::Of(services.registry, services.parameters)) {
    for (const Page page : {Page::kStartMenu, Page::kDesktop, Page::kMiscellaneous, Page::kSecurity}) {
        if (IsShown(IdOf(page), windows_)) {
            Rows(page).Load(windows_);
        }
    }
}

std::string LoadedPages::NotLoaded(const ListedSetting& row) const {
    return WhyNotLoaded(IdOf(row.page), row.load, windows_);
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

TableModel& LoadedPages::Rows(Page page) {
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
