#include "tests/support/RegistryCapture.h"

#include <algorithm>
#include <cstdio>

#include "registry/Names.h"
#include "registry/RegKey.h"

namespace velmora::capture {
namespace {

// Buffers reused over the whole walk: a capture of the prefix reads tens of thousands of values.
struct Buffers {
    std::string name;
    std::vector<std::uint8_t> data = std::vector<std::uint8_t>(4096);
};

void ReadValues(Registry& registry, HKey key, Values& values, Buffers& buffers) {
    for (std::uint32_t index = 0;;) {
        std::uint32_t type = 0;
        auto dataSize = static_cast<std::uint32_t>(buffers.data.size());
        const long status = registry.EnumValue(key, index, reg::kMaxValueNameLength + 1, buffers.name, &type,
                                               buffers.data.data(), &dataSize);
        if (status == reg::kMoreData && dataSize > buffers.data.size()) {
            buffers.data.resize(dataSize);
            continue;  // the same value again, with room for its data
        }
        if (status != reg::kSuccess) {
            return;
        }
        values[buffers.name] =
            Value{type, std::vector<std::uint8_t>(buffers.data.begin(), buffers.data.begin() + dataSize)};
        ++index;
    }
}

void Walk(Registry& registry, HKey key, const std::string& name, bool recursive,
          const RegistryCapture::Skip& skip, Keys& keys, Buffers& buffers) {
    ReadValues(registry, key, keys[name], buffers);
    if (!recursive) {
        return;
    }
    std::vector<std::string> children;
    for (std::uint32_t index = 0;; ++index) {
        std::string child;
        if (registry.EnumKey(key, index, reg::kMaxKeyNameLength + 1, child) != reg::kSuccess) {
            break;
        }
        children.push_back(std::move(child));
    }
    for (const std::string& childName : children) {
        const std::string full = name + "\\" + childName;
        if (skip && skip(full)) {
            continue;
        }
        RegKey sub;
        if (sub.Open(registry, key, childName, reg::kRead) == reg::kSuccess) {
            Walk(registry, sub.Get(), full, true, skip, keys, buffers);
        } else {
            keys[full];  // there, if unreadable
        }
    }
}

}  // namespace

Value Value::String(std::string_view text) {
    Value value{reg::kSz, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.bytes.push_back(0);
    return value;
}

Value Value::Dword(std::uint32_t number) {
    return {reg::kDword,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

Value Value::Binary(std::vector<std::uint8_t> bytes) {
    return {reg::kBinary, std::move(bytes)};
}

std::string Describe(const Value& value) {
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

bool NameOrder::operator()(std::string_view a, std::string_view b) const {
    return NameLess(a, b);
}

void RegistryCapture::Add(Registry& registry, HKey parent, std::string_view path, const std::string& name,
                          bool recursive, const Skip& skip) {
    RegKey key;
    if (key.Open(registry, parent, path, reg::kRead) != reg::kSuccess) {
        return;
    }
    Buffers buffers;
    Walk(registry, key.Get(), name, recursive, skip, keys_, buffers);
}

void RegistryCapture::Include(const RegistryCapture& part) {
    keys_.insert(part.keys_.begin(), part.keys_.end());
}

const std::string* RegistryCapture::StoredName(const std::string& key) const {
    const auto it = keys_.find(key);
    return it == keys_.end() ? nullptr : &it->first;
}

std::optional<Value> RegistryCapture::ValueOf(const std::string& key, const std::string& name) const {
    const auto it = keys_.find(key);
    if (it == keys_.end()) {
        return std::nullopt;
    }
    const auto value = it->second.find(name);
    if (value == it->second.end()) {
        return std::nullopt;
    }
    return value->second;
}

std::string ValueLabel(const std::string& key, const std::string& name) {
    return key + " [" + (name.empty() ? "(default)" : name) + "]";
}

std::string Change::Line() const {
    switch (kind) {
        case kKeyAdded:
            return "+ key " + key;
        case kKeyRemoved:
            return "- key " + key;
        case kValueAdded:
            return "+ " + ValueLabel(key, name) + " = " + Describe(*after);
        case kValueRemoved:
            return "- " + ValueLabel(key, name) + " (was " + Describe(*before) + ")";
        case kValueChanged:
            return "~ " + ValueLabel(key, name) + ": " + Describe(*before) + " -> " + Describe(*after);
    }
    return "?";
}

std::vector<Change> Changes(const RegistryCapture& before, const RegistryCapture& after) {
    std::vector<Change> changes;
    const Keys& old = before.AllKeys();
    const Keys& now = after.AllKeys();
    for (const auto& [key, values] : old) {
        const auto match = now.find(key);
        if (match == now.end()) {
            changes.push_back({Change::kKeyRemoved, key, "", std::nullopt, std::nullopt});
            continue;
        }
        for (const auto& [name, value] : values) {
            const auto other = match->second.find(name);
            if (other == match->second.end()) {
                changes.push_back({Change::kValueRemoved, key, name, value, std::nullopt});
            } else if (!(other->second == value)) {
                changes.push_back({Change::kValueChanged, key, name, value, other->second});
            }
        }
        for (const auto& [name, value] : match->second) {
            if (!values.contains(name)) {
                changes.push_back({Change::kValueAdded, key, name, std::nullopt, value});
            }
        }
    }
    for (const auto& [key, values] : now) {
        if (old.contains(key)) {
            continue;
        }
        changes.push_back({Change::kKeyAdded, key, "", std::nullopt, std::nullopt});
        for (const auto& [name, value] : values) {
            changes.push_back({Change::kValueAdded, key, name, std::nullopt, value});
        }
    }
    return changes;
}

std::vector<std::string> ChangedLines(const RegistryCapture& before, const RegistryCapture& after) {
    std::vector<std::string> lines;
    for (const Change& change : Changes(before, after)) {
        lines.push_back(change.Line());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

RegistryCapture CaptureRoots(Registry& registry) {
    RegistryCapture capture;
    capture.Add(registry, ToHKey(RootKey::ClassesRoot), "", "HKCR");
    capture.Add(registry, ToHKey(RootKey::CurrentUser), "", "HKCU");
    capture.Add(registry, ToHKey(RootKey::LocalMachine), "", "HKLM");
    capture.Add(registry, ToHKey(RootKey::Users), "", "HKU");
    return capture;
}

}  // namespace velmora::capture
