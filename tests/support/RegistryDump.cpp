#include "tests/support/RegistryDump.h"

#include <cstdio>

#include "tests/support/RegistryCapture.h"

namespace velmora::testing {

std::string DumpRegistry(Registry& registry) {
    std::string out;
    for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users}) {
        out += "== root " + std::to_string(static_cast<unsigned>(root)) + "\n";
        capture::RegistryCapture rootCapture;
        rootCapture.Add(registry, ToHKey(root), "", "");
        for (const auto& [key, values] : rootCapture.AllKeys()) {
            out += "[" + key + "]\n";
            for (const auto& [name, value] : values) {
                out += "  \"" + name + "\" type " + std::to_string(value.type) + ":";
                for (std::uint8_t byte : value.bytes) {
                    char hex[4];
                    std::snprintf(hex, sizeof hex, " %02x", byte);
                    out += hex;
                }
                out += "\n";
            }
        }
    }
    return out;
}

}  // namespace velmora::testing
