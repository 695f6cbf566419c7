#include "tests/e2e/harness/RegistryValues.h"

#include "registry/RegKey.h"
#include "registry/Win32Registry.h"

namespace velmora::e2e {

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
        // first after its removal (one that could not be deleted) would make this loop forever.
        std::string name;
        std::string previous;
        for (;;) {
            if (registry.EnumKey(key.Get(), 0, reg::kMaxKeyNameLength + 1, name) != reg::kSuccess) {
                break;
            }
            const std::string child = std::string(path) + "\\" + name;
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
