// Which Windows the program runs on, read afresh every time it is asked.
#pragma once

#include <string>

#include "registry/Registry.h"
#include "settings/SettingRow.h"
#include "system/SystemParameters.h"

namespace velmora {

// Windows 9x keeps a "Version" value under HKLM Software\Microsoft\Windows\CurrentVersion; NT has none.
bool IsWindowsNt(Registry& registry);
// True when "Version" cannot be read (as on NT) or reads exactly "Windows 98".
bool IsWindows98(Registry& registry);
// The Plus! extensions (SPI_GETWINDOWSEXTENSION).
bool HasPlusExtension(SystemParameters& parameters);

// What this Windows shows and loads, read once where the pages are loaded: the one answer the main window,
// the companion and the tests use.
struct WindowsTraits {
    bool nt = true;           // no "Version" value: the NT family
    bool windows98 = false;   // Windows 98 itself (not 95, not NT)
    bool extensions = false;  // the Plus! extensions

    static WindowsTraits Of(Registry& registry, SystemParameters& parameters);

    // Whether the rows that load `when` are read here, and why not, in words (empty when they are).
    bool Loads(LoadWhen when) const { return WhyNot(when).empty(); }
    std::string WhyNot(LoadWhen when) const;
};

}  // namespace velmora
