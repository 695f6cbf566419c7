#include "settings/Pages.h"

#include <array>

namespace velmora {
namespace {

constexpr ShownOn kAll = ShownOn::kEverywhere;
constexpr ShownOn k9x = ShownOn::kWindows9x;
constexpr ShownOn kNt = ShownOn::kWindowsNt;

// clang-format off
constexpr std::array<PageEntry, 16> kPages = {{
    {PageId::kStartMenu,        "Start Menu",               kAll},
    {PageId::kDesktop,          "Desktop",                  kAll},
    {PageId::kMiscellaneous,    "Miscellaneous",            kAll},
    {PageId::kAddRemove,        "Add/Remove",               kAll},
    {PageId::kNew,              "New",                      kAll},
    {PageId::kFoldersRun,       "Folders/Run",              kAll},
    // Applied on every system, shown and loaded on Windows 9x only.
    {PageId::kSecurity,         "Security",                 k9x},
    {PageId::kSystem,           "System",                   k9x},
    {PageId::kSystemNt,         "System",                   kNt},
    {PageId::kWallpaper,        "Wallpaper/Util",           kAll},
    {PageId::kInternetExplorer, "Internet Explorer",        kAll},
    {PageId::kInternet,         "Internet",                 k9x},
    {PageId::kRegInfo,          "Reg Info",                 kAll},
    {PageId::kMoreSecurity,     "More Security",            k9x},
    {PageId::kPreferences,      "Preferences...",           kAll},
    {PageId::kAbout,            "About Velmora 99 2.50...", kAll},
}};
// clang-format on

const PageEntry& EntryOf(PageId page) {
    for (const PageEntry& entry : kPages) {
        if (entry.id == page) {
            return entry;
        }
    }
    return kPages.front();
}

}  // namespace

std::span<const PageEntry> AllPages() {
    return kPages;
}

const char* TitleOf(PageId page) {
    return EntryOf(page).title;
}

bool IsShown(PageId page, const WindowsTraits& windows) {
    switch (EntryOf(page).shown) {
        case ShownOn::kWindows9x:
            return !windows.nt;
        case ShownOn::kWindowsNt:
            return windows.nt;
        case ShownOn::kEverywhere:
            break;
    }
    return true;
}

std::string WhyNotLoaded(PageId page, LoadWhen when, const WindowsTraits& windows) {
    if (!IsShown(page, windows)) {
        return std::string("no ") + TitleOf(page) + " page on " +
               (windows.nt ? "Windows NT" : "Windows 95 and 98");
    }
    return windows.WhyNot(when);
}

}  // namespace velmora
