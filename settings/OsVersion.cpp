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

}  // namespace velmora
