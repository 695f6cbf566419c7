#include "bench/CallScript.h"

#include <utility>

namespace velmora::bench {

CallScript RecordingRegistry::Take() {
    CallScript taken = std::move(script_);
    script_ = CallScript{};
    slots_.clear();
    return taken;
}

RecordedCall& RecordingRegistry::Write(CallKind kind, HKey key) {
    ++calls_[static_cast<int>(kind)];
    RecordedCall call;
    call.kind = kind;
    const auto slot = slots_.find(key);
    if (slot != slots_.end()) {
        call.key = slot->second;
    } else {
        call.root = key;  // a root, or a key opened before this script began (replayed as not open)
    }
    script_.calls.push_back(std::move(call));
    return script_.calls.back();
}

void RecordingRegistry::Opened(long status, HKey result, RecordedCall& call) {
    if (status == reg::kSuccess) {
        call.opened = script_.slots++;
        slots_[result] = call.opened;
    }
}

long RecordingRegistry::OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    const std::size_t at = script_.calls.size();
    Write(CallKind::kOpen, parent);
    script_.calls[at].text = path;
    script_.calls[at].number = access;
    const long status = inner_.OpenKey(parent, path, access, result);
    Opened(status, result, script_.calls[at]);
    if (status == reg::kSuccess && parent == ToHKey(RootKey::ClassesRoot) && path.empty()) {
        classesRoot_ = result;  // the New walk's own handle of HKEY_CLASSES_ROOT
    }
    return status;
}

long RecordingRegistry::CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    ++calls_[static_cast<int>(CallKind::kCreate)];
    return inner_.CreateKey(parent, path, access, result);
}

long RecordingRegistry::CloseKey(HKey key) {
    Write(CallKind::kClose, key);
    slots_.erase(key);
    return inner_.CloseKey(key);
}

long RecordingRegistry::QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                   std::uint32_t* size) {
    RecordedCall& call = Write(CallKind::kQuery, key);
    call.text = name;
    call.size = size != nullptr ? *size : 0;
    call.data = data != nullptr;
    return inner_.QueryValue(key, name, type, data, size);
}

long RecordingRegistry::QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) {
    RecordedCall& call = Write(CallKind::kQuery, key);
    call.defaultValue = true;
    call.text = subKey;
    call.size = size != nullptr ? static_cast<std::uint32_t>(*size) : 0;
    call.data = data != nullptr;
    return inner_.QueryDefaultValue(key, subKey, data, size);
}

long RecordingRegistry::SetValue(HKey key, std::string_view name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
    ++calls_[static_cast<int>(CallKind::kSet)];
    return inner_.SetValue(key, name, type, data, size);
}

long RecordingRegistry::DeleteValue(HKey key, std::string_view name) {
    ++calls_[static_cast<int>(CallKind::kDeleteValue)];
    return inner_.DeleteValue(key, name);
}

long RecordingRegistry::DeleteKey(HKey key, std::string_view subKey) {
    ++calls_[static_cast<int>(CallKind::kDeleteKey)];
    return inner_.DeleteKey(key, subKey);
}

long RecordingRegistry::EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name,
                                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
    RecordedCall& call = Write(CallKind::kEnumValue, key);
    call.number = index;
    call.size = room;
    call.data = data != nullptr;  // the loads ask for names only
    return inner_.EnumValue(key, index, room, name, type, data, dataSize);
}

long RecordingRegistry::EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) {
    RecordedCall& call = Write(CallKind::kEnumKey, key);
    call.number = index;
    call.size = room;
    const long status = inner_.EnumKey(key, index, room, name);
    if (status == reg::kSuccess && key == classesRoot_ && classesRoot_ != 0 && !name.empty() &&
        name[0] == '.') {
        ++extensionKeys_;
    }
    return status;
}

namespace {

HKEY RootHandle(HKey root) {
    switch (root) {
        case ToHKey(RootKey::ClassesRoot):
            return HKEY_CLASSES_ROOT;
        case ToHKey(RootKey::CurrentUser):
            return HKEY_CURRENT_USER;
        case ToHKey(RootKey::LocalMachine):
            return HKEY_LOCAL_MACHINE;
        case ToHKey(RootKey::Users):
            return HKEY_USERS;
        default:
            return nullptr;
    }
}

}  // namespace

void Replay(const CallScript& script) {
    std::vector<HKEY> keys(static_cast<std::size_t>(script.slots), nullptr);
    // One buffer for every name and value, as large as the largest the loads offered.
    std::vector<BYTE> buffer(64 * 1024);
    for (const RecordedCall& call : script.calls) {
        const HKEY key = call.key >= 0 ? keys[static_cast<std::size_t>(call.key)] : RootHandle(call.root);
        if (call.size > buffer.size()) {
            buffer.resize(call.size);
        }
        BYTE* const data = call.data ? buffer.data() : nullptr;
        DWORD size = call.size;
        switch (call.kind) {
            case CallKind::kOpen: {
                HKEY opened = nullptr;
                if (::RegOpenKeyExA(key, call.text.c_str(), 0, call.number, &opened) == ERROR_SUCCESS &&
                    call.opened >= 0) {
                    keys[static_cast<std::size_t>(call.opened)] = opened;
                }
                break;
            }
            case CallKind::kClose:
                if (key != nullptr && call.key >= 0) {
                    ::RegCloseKey(key);
                }
                break;
            case CallKind::kQuery:
                if (call.defaultValue) {
                    LONG textSize = static_cast<LONG>(call.size);
                    ::RegQueryValueA(key, call.text.empty() ? nullptr : call.text.c_str(),
                                     reinterpret_cast<char*>(data), &textSize);
                } else {
                    ::RegQueryValueExA(key, call.text.c_str(), nullptr, nullptr, data, &size);
                }
                break;
            case CallKind::kEnumValue:
                ::RegEnumValueA(key, call.number, reinterpret_cast<char*>(buffer.data()), &size, nullptr,
                                nullptr, nullptr, nullptr);
                break;
            case CallKind::kEnumKey:
                ::RegEnumKeyExA(key, call.number, reinterpret_cast<char*>(buffer.data()), &size, nullptr,
                                nullptr, nullptr, nullptr);
                break;
            default:
                break;  // never written down
        }
    }
}

}  // namespace velmora::bench
