#include "tests/e2e/harness/WindowsVersion.h"

#include <cstdlib>

namespace velmora::e2e {

namespace {

// Wine's settings for Velmora.exe alone.
constexpr char kWineVersionKey[] = "Software\\Wine\\AppDefaults\\Velmora.exe";

const char* WineModeOf(WindowsVersion version) {
    switch (version) {
        case WindowsVersion::Nt:
            return "nt40";
        case WindowsVersion::Windows95:
            return "win95";
        case WindowsVersion::Windows98:
            return "win98";
    }
    return "";
}

bool WineModeWanted() {
    const char* wanted = std::getenv("VELMORA_E2E_WINE_MODE");
    return wanted != nullptr && *wanted != '\0';
}

}  // namespace

std::string ToString(WindowsVersion version) {
    switch (version) {
        case WindowsVersion::Nt:
            return "Nt";
        case WindowsVersion::Windows95:
            return "Windows95";
        case WindowsVersion::Windows98:
            return "Windows98";
    }
    return "?";
}

ScopedWineVersion::ScopedWineVersion(const std::string& wineVersion)
    : value_(RootKey::CurrentUser, kWineVersionKey, "Version"),
      ok_(value_.Set(RegistryValue::String(wineVersion))) {}

ScopedWindowsVersion::ScopedWindowsVersion(WindowsVersion version)
    : version_(version),
      value_(RootKey::LocalMachine, kCurrentVersionKey, "Version"),
      wineMode_(RootKey::CurrentUser, kWineVersionKey, "Version") {
    switch (version) {
        case WindowsVersion::Nt:
            ok_ = value_.Remove();
            break;
        case WindowsVersion::Windows95:
            ok_ = value_.Set(RegistryValue::String("Windows 95"));
            break;
        case WindowsVersion::Windows98:
            ok_ = value_.Set(RegistryValue::String("Windows 98"));
            break;
    }
    if (ok_ && WineModeWanted()) {
        ok_ = wineMode_.Set(RegistryValue::String(WineModeOf(version)));
    }
}

}  // namespace velmora::e2e
