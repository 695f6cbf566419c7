#include "tests/e2e/harness/WindowsVersion.h"

#include <cstdlib>

#include "tests/e2e/harness/FamilyMatrix.h"

namespace velmora::e2e {

namespace {

// Wine's settings for Velmora.exe alone.
constexpr char kWineVersionKey[] = "Software\\Wine\\AppDefaults\\Velmora.exe";

std::string& ModeInUse() {
    static std::string mode;
    return mode;
}

}  // namespace

std::vector<std::string> WineModesAsked() {
    std::vector<std::string> modes;
    const char* asked = std::getenv("VELMORA_E2E_WINE_MODE");
    std::string mode;
    for (const char* c = asked != nullptr ? asked : "";; ++c) {
        if (*c == ',' || *c == '\0') {
            if (!mode.empty()) {
                modes.push_back(mode);
            }
            mode.clear();
            if (*c == '\0') {
                break;
            }
        } else if (*c != ' ') {
            mode += *c;
        }
    }
    return modes;
}

void UseWineMode(std::string mode) {
    ModeInUse() = std::move(mode);
}

const std::string& WineModeInUse() {
    return ModeInUse();
}

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
    if (ok_ && !WineModeInUse().empty()) {
        ok_ = wineMode_.Set(RegistryValue::String(WineModeInUse()));
    }
    NoteFamilyUsed(version);
}

}  // namespace velmora::e2e
