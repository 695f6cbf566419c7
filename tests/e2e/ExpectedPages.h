// The tab titles the main window shows, in order, on each kind of Windows.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/harness/WindowsVersion.h"

namespace velmora::e2e {

inline std::vector<std::string> ExpectedTabTitles(WindowsVersion version) {
    if (version == WindowsVersion::Nt) {
        return {"Start Menu",
                "Desktop",
                "Miscellaneous",
                "Add/Remove",
                "New",
                "Folders/Run",
                "System",
                "Wallpaper/Util",
                "Internet Explorer",
                "Reg Info",
                "Preferences...",
                "About Velmora 99 2.50..."};
    }
    return {"Start Menu",  "Desktop",  "Miscellaneous", "Add/Remove",     "New",
            "Folders/Run", "Security", "System",        "Wallpaper/Util", "Internet Explorer",
            "Internet",    "Reg Info", "More Security", "Preferences...", "About Velmora 99 2.50..."};
}

}  // namespace velmora::e2e
