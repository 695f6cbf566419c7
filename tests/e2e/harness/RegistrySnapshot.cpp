#include "tests/e2e/harness/RegistrySnapshot.h"

#include <tuple>

#include "registry/Names.h"
#include "registry/RegKey.h"

namespace velmora::e2e {
namespace {

std::string ValueLabel(const RegistrySnapshot::Key& key, const std::string& name) {
    return KeyName(key.root, key.path) + " [" + (name.empty() ? "(default)" : name) + "]";
}

std::vector<std::string> SubkeyNames(Registry& registry, HKey key) {
    std::vector<std::string> names;
    char name[reg::kMaxKeyNameLength + 1];
    for (std::uint32_t i = 0;; ++i) {
        std::uint32_t length = sizeof name;
        if (registry.EnumKey(key, i, name, &length) != reg::kSuccess) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::string> ValueNames(Registry& registry, HKey key) {
    std::vector<std::string> names;
    std::string name(reg::kMaxValueNameLength + 1, '\0');
    for (std::uint32_t i = 0;; ++i) {
        std::uint32_t length = static_cast<std::uint32_t>(name.size());
        if (registry.EnumValue(key, i, name.data(), &length, nullptr, nullptr, nullptr) != reg::kSuccess) {
            break;
        }
        names.emplace_back(name.data(), length);
    }
    return names;
}

}  // namespace

bool RegistrySnapshot::Key::operator<(const Key& other) const {
    if (root != other.root) {
        return root < other.root;
    }
    return velmora::NameLess(path, other.path);
}

bool RegistrySnapshot::NameLess::operator()(const std::string& a, const std::string& b) const {
    return velmora::NameLess(a, b);
}

RegistrySnapshot RegistrySnapshot::Take(const std::vector<RegistryLocation>& locations) {
    RegistrySnapshot snapshot;
    snapshot.locations_ = locations;
    for (const RegistryLocation& location : locations) {
        snapshot.Add(location.root, location.path, location.recursive);
    }
    return snapshot;
}

void RegistrySnapshot::Add(RootKey root, const std::string& path, bool recursive) {
    Registry& registry = MachineRegistry();
    RegKey key;
    if (key.Open(registry, ToHKey(root), path, reg::kRead) != reg::kSuccess) {
        return;
    }
    Values& values = keys_[Key{root, path}];
    for (const std::string& name : ValueNames(registry, key.Get())) {
        if (auto value = ReadRawValue(root, path, name)) {
            values[name] = std::move(*value);
        }
    }
    if (!recursive) {
        return;
    }
    for (const std::string& child : SubkeyNames(registry, key.Get())) {
        Add(root, path.empty() ? child : path + "\\" + child, true);
    }
}

void RegistrySnapshot::Restore() const {
    const RegistrySnapshot now = Take(locations_);
    // Keys that appeared: the map is in path order, so walking it backwards meets children first.
    for (auto it = now.keys_.rbegin(); it != now.keys_.rend(); ++it) {
        if (!keys_.contains(it->first)) {
            RemoveKeyTree(it->first.root, it->first.path);
        }
    }
    for (const auto& [key, values] : keys_) {
        const auto current = now.keys_.find(key);
        if (current != now.keys_.end()) {
            for (const auto& [name, value] : current->second) {
                if (!values.contains(name)) {
                    RemoveValue(key.root, key.path, name);
                }
            }
        }
        for (const auto& [name, value] : values) {
            const bool same = current != now.keys_.end() && current->second.contains(name) &&
                              current->second.at(name) == value;
            if (!same) {
                WriteRawValue(key.root, key.path, name, value);
            }
        }
        if (values.empty() && current == now.keys_.end()) {
            RegKey created;
            created.Create(MachineRegistry(), ToHKey(key.root), key.path, reg::kWrite);
        }
    }
}

std::vector<std::string> Differences(const RegistrySnapshot& before, const RegistrySnapshot& after) {
    std::vector<std::string> lines;
    const auto& old = before.Keys();
    const auto& now = after.Keys();
    for (const auto& [key, values] : old) {
        const auto match = now.find(key);
        if (match == now.end()) {
            lines.push_back("- key " + KeyName(key.root, key.path));
            continue;
        }
        for (const auto& [name, value] : values) {
            const auto other = match->second.find(name);
            if (other == match->second.end()) {
                lines.push_back("- " + ValueLabel(key, name) + " (was " + Describe(value) + ")");
            } else if (!(other->second == value)) {
                lines.push_back("~ " + ValueLabel(key, name) + ": " + Describe(value) + " -> " +
                                Describe(other->second));
            }
        }
        for (const auto& [name, value] : match->second) {
            if (!values.contains(name)) {
                lines.push_back("+ " + ValueLabel(key, name) + " = " + Describe(value));
            }
        }
    }
    for (const auto& [key, values] : now) {
        if (old.contains(key)) {
            continue;
        }
        lines.push_back("+ key " + KeyName(key.root, key.path));
        for (const auto& [name, value] : values) {
            lines.push_back("+ " + ValueLabel(key, name) + " = " + Describe(value));
        }
    }
    return lines;
}

testing::AssertionResult RegistryUnchangedSince(const RegistrySnapshot& before) {
    const std::vector<std::string> lines = Differences(before, RegistrySnapshot::Take(before.Locations()));
    if (lines.empty()) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult result = testing::AssertionFailure();
    result << "the registry changed:";
    for (const std::string& line : lines) {
        result << "\n  " << line;
    }
    return result;
}

}  // namespace velmora::e2e
