// The Windows the program believes it runs on. The program tells Windows 9x from NT by the "Version"
// value under HKLM SOFTWARE\Microsoft\Windows\CurrentVersion: present on 9x (and "Windows 98" or
// another text), absent on NT.
#pragma once

#include <string>

#include "tests/e2e/harness/ScopedRegistryValue.h"

namespace velmora::e2e {

enum class WindowsVersion { Nt, Windows95, Windows98 };

std::string ToString(WindowsVersion version);

// Sets (or removes) "Version" for one scenario and puts the old state back at its end.
class ScopedWindowsVersion {
  public:
    explicit ScopedWindowsVersion(WindowsVersion version);

    // False when the registry could not be prepared.
    bool Ok() const { return ok_; }
    WindowsVersion Version() const { return version_; }

  private:
    WindowsVersion version_;
    ScopedRegistryValue value_;
    bool ok_ = false;
};

inline constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace velmora::e2e
