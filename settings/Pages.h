// The main window's pages in tab order: the title each tab shows and the Windows it is shown on. The
// window builds its sheet from this list, and the companion and the tests name pages by it.
#pragma once

#include <span>
#include <string>

#include "settings/OsVersion.h"

namespace velmora {

enum class PageId {
    kStartMenu,
    kDesktop,
    kMiscellaneous,
    kAddRemove,
    kNew,
    kFoldersRun,
    kSecurity,
    kSystem,
    kSystemNt,
    kWallpaper,
    kInternetExplorer,
    kInternet,
    kRegInfo,
    kMoreSecurity,
    kPreferences,
    kAbout,
};

enum class ShownOn { kEverywhere, kWindows9x, kWindowsNt };

struct PageEntry {
    PageId id;
    const char* title;
    ShownOn shown;
};

std::span<const PageEntry> AllPages();
const char* TitleOf(PageId page);
bool IsShown(PageId page, const WindowsTraits& windows);

// Why a row of `page` that loads `when` is not loaded on `windows`, in words; empty when it is.
std::string WhyNotLoaded(PageId page, LoadWhen when, const WindowsTraits& windows);

}  // namespace velmora
