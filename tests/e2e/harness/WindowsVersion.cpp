#include "tests/e2e/harness/WindowsVersion.h"

namespace velmora::e2e {

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
    : version_(version), value_(RootKey::LocalMachine, kCurrentVersionKey, "Version") {
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
}

}  // namespace velmora::e2e
