#include "tests/e2e/harness/WindowsVersion.h"

#include <cstdlib>

namespace velmora::e2e {

namespace {

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

ScopedWindowsVersion::ScopedWindowsVersion(WindowsVersion version)
    : version_(version),
      value_(RootKey::LocalMachine, kCurrentVersionKey, "Version"),
      wineMode_(RootKey::CurrentUser, "Software\\Wine\\AppDefaults\\Velmora.exe", "Version") {
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
