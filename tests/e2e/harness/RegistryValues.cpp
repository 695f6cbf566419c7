#include "tests/e2e/harness/RegistryValues.h"

#include <cstdio>

#include "registry/RegKey.h"
#include "registry/Win32Registry.h"

namespace velmora::e2e {

RegistryValue RegistryValue::String(std::string_view text) {
    RegistryValue value{reg::kSz, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.bytes.push_back(0);
    return value;
}

RegistryValue RegistryValue::Dword(std::uint32_t number) {
    return {reg::kDword,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

RegistryValue RegistryValue::Binary(std::vector<std::uint8_t> bytes) {
    return {reg::kBinary, std::move(bytes)};
}

Registry& MachineRegistry() {
    static Win32Registry registry;
    return registry;
}

std::string RootName(RootKey root) {
    switch (root) {
        case RootKey::ClassesRoot:
            return "HKCR";
        case RootKey::CurrentUser:
            return "HKCU";
        case RootKey::LocalMachine:
            return "HKLM";
        case RootKey::Users:
            return "HKU";
    }
    return "?";
}

std::string KeyName(RootKey root, std::string_view path) {
    return path.empty() ? RootName(root) : RootName(root) + "\\" + std::string(path);
}

std::string Describe(const RegistryValue& value) {
    char buffer[16];
    if (value.type == reg::kSz || value.type == reg::kExpandSz) {
        std::string text(value.bytes.begin(), value.bytes.end());
        if (!text.empty() && text.back() == '\0') {
            text.pop_back();
        }
        return std::string(value.type == reg::kSz ? "REG_SZ" : "REG_EXPAND_SZ") + " \"" + text + "\"";
    }
    if (value.type == reg::kDword && value.bytes.size() == 4) {
        const std::uint32_t number = value.bytes[0] | value.bytes[1] << 8 | value.bytes[2] << 16 |
                                     static_cast<std::uint32_t>(value.bytes[3]) << 24;
        std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(number));
        return std::string("REG_DWORD ") + buffer;
    }
    std::string result = value.type == reg::kBinary ? "REG_BINARY" : "type " + std::to_string(value.type);
    result += " (" + std::to_string(value.bytes.size()) + " bytes)";
    constexpr std::size_t kShown = 32;
    for (std::size_t i = 0; i < value.bytes.size() && i < kShown; ++i) {
        std::snprintf(buffer, sizeof buffer, " %02X", value.bytes[i]);
        result += buffer;
    }
    if (value.bytes.size() > kShown) {
        result += " ...";
    }
    return result;
}

bool KeyPresent(RootKey root, std::string_view path) {
    RegKey key;
    return key.Open(MachineRegistry(), ToHKey(root), path, reg::kRead) == reg::kSuccess;
}

std::optional<RegistryValue> ReadRawValue(RootKey root, std::string_view path, std::string_view name) {
    Registry& registry = MachineRegistry();
    RegKey key;
    if (key.Open(registry, ToHKey(root), path, reg::kRead) != reg::kSuccess) {
        return std::nullopt;
    }
    RegistryValue value;
    std::uint32_t size = 0;
    if (registry.QueryValue(key.Get(), name, &value.type, nullptr, &size) != reg::kSuccess) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    if (registry.QueryValue(key.Get(), name, &value.type, value.bytes.data(), &size) != reg::kSuccess) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    return value;
}

bool WriteRawValue(RootKey root, std::string_view path, std::string_view name, const RegistryValue& value) {
    Registry& registry = MachineRegistry();
    RegKey key;
    if (key.Create(registry, ToHKey(root), path, reg::kWrite) != reg::kSuccess) {
        return false;
    }
    return registry.SetValue(key.Get(), name, value.type, value.bytes.data(),
                             static_cast<std::uint32_t>(value.bytes.size())) == reg::kSuccess;
}

bool RemoveValue(RootKey root, std::string_view path, std::string_view name) {
    Registry& registry = MachineRegistry();
    RegKey key;
    if (key.Open(registry, ToHKey(root), path, reg::kAllAccess) == reg::kSuccess) {
        registry.DeleteValue(key.Get(), name);
    }
    return !ReadRawValue(root, path, name).has_value();
}

bool RemoveKeyTree(RootKey root, std::string_view path) {
    Registry& registry = MachineRegistry();
    {
        RegKey key;
        if (key.Open(registry, ToHKey(root), path, reg::kAllAccess) != reg::kSuccess) {
            return !KeyPresent(root, path);
        }
        // Children first; always index 0, since each deletion renumbers the rest. A child that is still
        // first after its removal (a name the ANSI calls cannot give back) would make this loop forever.
        char name[reg::kMaxKeyNameLength + 1];
        std::string previous;
        for (;;) {
            std::uint32_t length = sizeof name;
            if (registry.EnumKey(key.Get(), 0, name, &length) != reg::kSuccess) {
                break;
            }
            const std::string child = std::string(path) + "\\" + std::string(name, length);
            if (child == previous || !RemoveKeyTree(root, child)) {
                return false;
            }
            previous = child;
        }
    }
    const std::size_t slash = path.rfind('\\');
    const std::string_view parentPath = slash == std::string_view::npos ? "" : path.substr(0, slash);
    const std::string_view leaf = slash == std::string_view::npos ? path : path.substr(slash + 1);
    RegKey parent;
    if (parent.Open(registry, ToHKey(root), parentPath, reg::kAllAccess) == reg::kSuccess) {
        registry.DeleteKey(parent.Get(), leaf);
    }
    return !KeyPresent(root, path);
}

}  // namespace velmora::e2e
