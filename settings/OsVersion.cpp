#include "settings/OsVersion.h"

#include "registry/RegKey.h"
#include "registry/ValueReader.h"
#include "settings/Locations.h"

namespace velmora {
namespace {

constexpr const char* kVersion = "Version";

}  // namespace

bool IsWindowsNt(Registry& registry) {
    RegKey key;
    if (key.Open(registry, ToHKey(RootKey::LocalMachine), keys::kCurrentVersion, reg::kRead) !=
        reg::kSuccess) {
        return true;
    }
    std::uint32_t size = 0;
    return registry.QueryValue(key.Get(), kVersion, nullptr, nullptr, &size) != reg::kSuccess;
}

bool IsWindows98(Registry& registry) {
    const auto version = ReadValue(registry, RootKey::LocalMachine, keys::kCurrentVersion, kVersion);
    return !version || version->TextEquals("Windows 98");
}

bool HasPlusExtension(SystemParameters& parameters) {
    return parameters.Call(spi::kGetWindowsExtension, 1, nullptr, 0) != 0;
}

WindowsTraits WindowsTraits::Of(Registry& registry, SystemParameters& parameters) {
    WindowsTraits traits;
    traits.nt = IsWindowsNt(registry);
    traits.windows98 = !traits.nt && IsWindows98(registry);
    traits.extensions = HasPlusExtension(parameters);
    return traits;
}

std::string WindowsTraits::WhyNot(LoadWhen when) const {
    switch (when) {
        case LoadWhen::kWindows98:
            return windows98 ? "" : "Only Windows 98";
        case LoadWhen::kWithShellExtensions:
            return extensions || nt ? "" : "needs the Windows extensions or Windows NT";
        case LoadWhen::kWithPage:
            break;
    }
    return "";
}

}  // namespace velmora
