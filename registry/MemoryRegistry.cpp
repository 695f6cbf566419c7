#include "registry/MemoryRegistry.h"

#include <algorithm>
#include <cstring>

#include "registry/Names.h"
#include "text/Utf.h"

namespace velmora {
namespace {

// Hands `text` out as a name, as the Win32 enumeration calls do with a buffer of `room` characters
// (counted as the NT family counts them, in UTF-16 units): a name that does not fit, its zero included,
// fails the call.
long CopyName(const std::string& text, std::uint32_t room, std::string& name) {
    if (text::Utf16Length(text) >= room) {
        return reg::kMoreData;
    }
    name = text;
    return reg::kSuccess;
}

}  // namespace

MemoryRegistry::MemoryRegistry() {
    for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users}) {
        roots_[ToHKey(root)] = std::make_shared<Node>();
    }
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::FailNth(Call call, unsigned nth, long error) {
    ClearFaults();
    faults_[static_cast<std::size_t>(call)].Arm(nth);
    faultError_ = error;
}

void MemoryRegistry::ClearFaults() {
    for (FaultTrigger& fault : faults_) {
        fault.Disarm();
    }
}

bool MemoryRegistry::FaultHit() const {
    for (const FaultTrigger& fault : faults_) {
        if (fault.Hit()) {
            return true;
        }
    }
    return false;
}

bool MemoryRegistry::Injected(Call call, long& error) {
    if (faults_[static_cast<std::size_t>(call)].Fails()) {
        error = faultError_;
        return true;
    }
    return false;
}

long MemoryRegistry::Resolve(HKey key, std::uint32_t needed, std::shared_ptr<Node>& node) const {
    if (auto root = roots_.find(key); root != roots_.end()) {
        node = root->second;
        return reg::kSuccess;
    }
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return reg::kInvalidHandle;
    }
    if ((handle->second.access & needed) != needed) {
        return reg::kAccessDenied;
    }
    if (handle->second.node->deleted) {
        return reg::kKeyDeleted;
    }
    node = handle->second.node;
    return reg::kSuccess;
}

long MemoryRegistry::Walk(HKey parent, std::string_view path, bool create, std::shared_ptr<Node>& node) {
    std::shared_ptr<Node> current;
    if (const long status = Resolve(parent, 0, current); status != reg::kSuccess) {
        return status;
    }
    for (std::string_view part : SplitKeyPath(path)) {
        if (part.size() > reg::kMaxKeyNameLength) {
            return reg::kInvalidParameter;
        }
        auto& subkeys = current->subkeys;
        auto it = std::lower_bound(
            subkeys.begin(), subkeys.end(), part,
            [](const std::shared_ptr<Node>& n, std::string_view name) { return NameLess(n->name, name); });
        if (it == subkeys.end() || !NamesEqual((*it)->name, part)) {
            if (!create) {
                return reg::kFileNotFound;
            }
            auto child = std::make_shared<Node>();
            child->name = std::string(part);
            child->parent = current.get();
            it = subkeys.insert(it, std::move(child));
        }
        current = *it;
    }
    node = std::move(current);
    return reg::kSuccess;
}

HKey MemoryRegistry::AddHandle(std::shared_ptr<Node> node, std::uint32_t access) {
    const HKey key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = Handle{std::move(node), access};
    return key;
}

MemoryRegistry::Value* MemoryRegistry::FindValue(Node& node, std::string_view name) {
    // Values are kept in name order: a key with thousands of values is searched, not scanned.
    auto& values = node.values;
    const auto it = std::lower_bound(values.begin(), values.end(), name,
                                     [](const Value& v, std::string_view n) { return NameLess(v.name, n); });
    return it != values.end() && NamesEqual(it->name, name) ? &*it : nullptr;
}

long MemoryRegistry::OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    if (long error = 0; Injected(Call::kOpen, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Walk(parent, path, false, node); status != reg::kSuccess) {
        return status;
    }
    result = AddHandle(std::move(node), access);
    return reg::kSuccess;
}

long MemoryRegistry::CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    if (long error = 0; Injected(Call::kCreate, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Walk(parent, path, true, node); status != reg::kSuccess) {
        return status;
    }
    result = AddHandle(std::move(node), access);
    return reg::kSuccess;
}

long MemoryRegistry::CloseKey(HKey key) {
    if (long error = 0; Injected(Call::kClose, error)) {
        handles_.erase(key);
        return error;
    }
    if (roots_.count(key) != 0) {
        return reg::kSuccess;
    }
    return handles_.erase(key) != 0 ? reg::kSuccess : reg::kInvalidHandle;
}

long MemoryRegistry::QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
    if (long error = 0; Injected(Call::kQuery, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Resolve(key, reg::kQueryValue, node); status != reg::kSuccess) {
        return status;
    }
    if (data != nullptr && size == nullptr) {
        return reg::kInvalidParameter;
    }
    const Value* value = FindValue(*node, name);
    if (value == nullptr) {
        return reg::kFileNotFound;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    const auto length = static_cast<std::uint32_t>(value->data.size());
    if (data != nullptr && *size < length) {
        *size = length;
        return reg::kMoreData;
    }
    if (data != nullptr && length != 0) {
        std::memcpy(data, value->data.data(), length);
    }
    if (size != nullptr) {
        *size = length;
    }
    return reg::kSuccess;
}

long MemoryRegistry::QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) {
    if (long error = 0; Injected(Call::kQuery, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (subKey.empty()) {
        if (const long status = Resolve(key, reg::kQueryValue, node); status != reg::kSuccess) {
            return status;
        }
    } else if (const long status = Walk(key, subKey, false, node); status != reg::kSuccess) {
        return status;
    }
    if (data != nullptr && size == nullptr) {
        return reg::kInvalidParameter;
    }
    const Value* value = FindValue(*node, "");
    if (value == nullptr) {
        // A key without a default value reads as the empty text.
        if (data != nullptr && *size >= 1) {
            data[0] = '\0';
        }
        if (size != nullptr) {
            *size = 1;
        }
        return reg::kSuccess;
    }
    const auto length = static_cast<long>(value->data.size());
    if (data != nullptr && *size < length) {
        *size = length;
        return reg::kMoreData;
    }
    if (data != nullptr && length != 0) {
        std::memcpy(data, value->data.data(), static_cast<std::size_t>(length));
    }
    if (size != nullptr) {
        *size = length;
    }
    return reg::kSuccess;
}

long MemoryRegistry::SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) {
    if (long error = 0; Injected(Call::kSet, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Resolve(key, reg::kSetValue, node); status != reg::kSuccess) {
        return status;
    }
    if ((data == nullptr && size != 0) || name.size() > reg::kMaxValueNameLength) {
        return reg::kInvalidParameter;
    }
    std::vector<std::uint8_t> bytes(data, data + size);
    if (Value* existing = FindValue(*node, name)) {
        existing->type = type;
        existing->data = std::move(bytes);
    } else {
        auto& values = node->values;
        const auto at =
            std::lower_bound(values.begin(), values.end(), name,
                             [](const Value& v, std::string_view n) { return NameLess(v.name, n); });
        values.insert(at, Value{std::string(name), type, std::move(bytes)});
    }
    return reg::kSuccess;
}

long MemoryRegistry::DeleteValue(HKey key, std::string_view name) {
    if (long error = 0; Injected(Call::kDeleteValue, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Resolve(key, reg::kSetValue, node); status != reg::kSuccess) {
        return status;
    }
    Value* value = FindValue(*node, name);
    if (value == nullptr) {
        return reg::kFileNotFound;
    }
    node->values.erase(node->values.begin() + (value - node->values.data()));
    return reg::kSuccess;
}

long MemoryRegistry::DeleteKey(HKey key, std::string_view subKey) {
    if (long error = 0; Injected(Call::kDeleteKey, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Walk(key, subKey, false, node); status != reg::kSuccess) {
        return status;
    }
    // A root cannot be deleted, nor a key that still has subkeys.
    if (node->parent == nullptr || !node->subkeys.empty()) {
        return reg::kAccessDenied;
    }
    auto& siblings = node->parent->subkeys;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    node->deleted = true;
    node->parent = nullptr;
    return reg::kSuccess;
}

long MemoryRegistry::EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name,
                               std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
    if (long error = 0; Injected(Call::kEnumValue, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Resolve(key, reg::kQueryValue, node); status != reg::kSuccess) {
        return status;
    }
    if (index >= node->values.size()) {
        return reg::kNoMoreItems;
    }
    if (data != nullptr && dataSize == nullptr) {
        return reg::kInvalidParameter;
    }
    const Value& value = node->values[index];
    const auto length = static_cast<std::uint32_t>(value.data.size());
    if (data != nullptr && *dataSize < length) {
        *dataSize = length;
        return reg::kMoreData;
    }
    if (const long status = CopyName(value.name, room, name); status != reg::kSuccess) {
        return status;
    }
    if (type != nullptr) {
        *type = value.type;
    }
    if (data != nullptr && length != 0) {
        std::memcpy(data, value.data.data(), length);
    }
    if (dataSize != nullptr) {
        *dataSize = length;
    }
    return reg::kSuccess;
}

long MemoryRegistry::EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) {
    if (long error = 0; Injected(Call::kEnumKey, error)) {
        return error;
    }
    std::shared_ptr<Node> node;
    if (const long status = Resolve(key, reg::kEnumerateSubKeys, node); status != reg::kSuccess) {
        return status;
    }
    if (index >= node->subkeys.size()) {
        return reg::kNoMoreItems;
    }
    return CopyName(node->subkeys[index]->name, room, name);
}

}  // namespace velmora
