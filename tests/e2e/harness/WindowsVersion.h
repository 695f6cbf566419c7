// The Windows the program believes it runs on. The program tells Windows 9x from NT by the "Version"
// value under HKLM SOFTWARE\Microsoft\Windows\CurrentVersion: present on 9x (and "Windows 98" or
// another text), absent on NT.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/harness/ScopedRegistryValue.h"

namespace velmora::e2e {

enum class WindowsVersion { Nt, Windows95, Windows98 };

std::string ToString(WindowsVersion version);

// The Windows that Wine itself is told to be for Velmora.exe (its per-program "Version": win95, win98,
// nt40, win2k, winxp, win7, win10), or empty for Wine's default. VELMORA_E2E_WINE_MODE lists the modes
// a run goes through, separated by commas, one per repetition of the suites (--gtest_repeat); the
// scenarios still choose the family through the registry, so each mode meets every family. Wine keeps
// every function whatever it pretends to be; the import check is what holds the programs to the
// functions these systems have.
std::vector<std::string> WineModesAsked();
void UseWineMode(std::string mode);
const std::string& WineModeInUse();

// Sets (or removes) "Version" for one scenario and puts the old state back at its end; with a Wine mode
// in use, Wine is told to be that Windows for Velmora.exe for the scenario too.
class ScopedWindowsVersion {
  public:
    explicit ScopedWindowsVersion(WindowsVersion version);

    // False when the registry could not be prepared.
    bool Ok() const { return ok_; }
    WindowsVersion Version() const { return version_; }

  private:
    WindowsVersion version_;
    ScopedRegistryValue value_;
    ScopedRegistryValue wineMode_;
    bool ok_ = false;
};

// Wine itself told to be one Windows for Velmora.exe alone ("winxp", "win10", ...), whatever
// VELMORA_E2E_WINE_MODE says: what GetVersionEx reports to the program. Put back at the scenario's end.
class ScopedWineVersion {
  public:
    explicit ScopedWineVersion(const std::string& wineVersion);

    bool Ok() const { return ok_; }

  private:
    ScopedRegistryValue value_;
    bool ok_;
};

inline constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace velmora::e2e
