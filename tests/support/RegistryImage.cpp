#include "tests/support/RegistryImage.h"

#include <vector>

#include "registry/RegKey.h"

namespace velmora::testing {
namespace {

void Append(std::string& out, std::uint32_t number) {
    out.append(reinterpret_cast<const char*>(&number), sizeof number);
}

void Append(std::string& out, std::string_view bytes) {
    Append(out, static_cast<std::uint32_t>(bytes.size()));
    out.append(bytes);
}

void ImageKey(Registry& registry, HKey parent, const std::string& path, std::string& out) {
    RegKey key;
    if (key.Open(registry, parent, path, reg::kRead) != reg::kSuccess) {
        out += "!unreadable";
        return;
    }
    std::vector<char> name(reg::kMaxValueNameLength + 1);
    std::vector<std::uint8_t> data;
    for (std::uint32_t index = 0;; ++index) {
        auto nameSize = static_cast<std::uint32_t>(name.size());
        std::uint32_t type = 0;
        std::uint32_t dataSize = 0;
        if (registry.EnumValue(key.Get(), index, name.data(), &nameSize, &type, nullptr, &dataSize) !=
            reg::kSuccess) {
            break;
        }
        data.resize(dataSize);
        registry.EnumValue(key.Get(), index, name.data(), &nameSize, &type, data.data(), &dataSize);
        out += 'v';
        Append(out, std::string_view(name.data(), nameSize));
        Append(out, type);
        Append(out, std::string_view(reinterpret_cast<const char*>(data.data()), dataSize));
    }
    for (std::uint32_t index = 0;; ++index) {
        char subkey[reg::kMaxKeyNameLength + 1];
        std::uint32_t size = sizeof subkey;
        if (registry.EnumKey(key.Get(), index, subkey, &size) != reg::kSuccess) {
            break;
        }
        out += 'k';
        Append(out, std::string_view(subkey, size));
        ImageKey(registry, key.Get(), std::string(subkey, size), out);
        out += 'e';
    }
}

}  // namespace

std::string RegistryImage(Registry& registry) {
    std::string out;
    for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users}) {
        out += 'r';
        ImageKey(registry, ToHKey(root), "", out);
    }
    return out;
}

}  // namespace velmora::testing
