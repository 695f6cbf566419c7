// Which Windows the program runs on, read afresh every time it is asked.
#pragma once

#include "registry/Registry.h"
#include "system/SystemParameters.h"

namespace velmora {

// Windows 9x keeps a "Version" value under HKLM Software\Microsoft\Windows\CurrentVersion; NT has none.
bool IsWindowsNt(Registry& registry);
// True when "Version" cannot be read (as on NT) or reads exactly "Windows 98".
bool IsWindows98(Registry& registry);
// The Plus! extensions (SPI_GETWINDOWSEXTENSION).
bool HasPlusExtension(SystemParameters& parameters);

}  // namespace velmora
