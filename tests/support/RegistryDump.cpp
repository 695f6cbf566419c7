#include "tests/support/RegistryDump.h"

#include <cstdio>
#include <vector>

#include "registry/RegKey.h"

namespace velmora::testing {
namespace {

void DumpKey(Registry& registry, HKey parent, const std::string& path, const std::string& shown,
             std::string& out) {
    RegKey key;
    if (key.Open(registry, parent, path, reg::kRead) != reg::kSuccess) {
        return;
    }
    out += "[" + shown + "]\n";
    for (std::uint32_t index = 0;; ++index) {
        char name[16384];
        std::uint32_t nameSize = sizeof name;
        std::uint32_t type = 0;
        std::uint32_t dataSize = 0;
        if (registry.EnumValue(key.Get(), index, name, &nameSize, &type, nullptr, &dataSize) !=
            reg::kSuccess) {
            break;
        }
        std::vector<std::uint8_t> data(dataSize);
        std::uint32_t size = dataSize;
        registry.QueryValue(key.Get(), std::string(name, nameSize), nullptr, data.data(), &size);
        out += "  \"" + std::string(name, nameSize) + "\" type " + std::to_string(type) + ":";
        for (std::uint32_t i = 0; i < size && i < data.size(); ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02x", data[i]);
            out += hex;
        }
        out += "\n";
    }
    for (std::uint32_t index = 0;; ++index) {
        char name[256];
        std::uint32_t nameSize = sizeof name;
        if (registry.EnumKey(key.Get(), index, name, &nameSize) != reg::kSuccess) {
            break;
        }
        DumpKey(registry, key.Get(), std::string(name, nameSize), shown + "\\" + std::string(name, nameSize),
                out);
    }
}

}  // namespace

std::string DumpRegistry(Registry& registry) {
    std::string out;
    for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users}) {
        out += "== root " + std::to_string(static_cast<unsigned>(root)) + "\n";
        DumpKey(registry, ToHKey(root), "", "", out);
    }
    return out;
}

}  // namespace velmora::testing
