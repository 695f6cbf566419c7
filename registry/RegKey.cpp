#include "registry/RegKey.h"

namespace velmora {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        registry_ = other.registry_;
        key_ = other.key_;
        other.registry_ = nullptr;
    }
    return *this;
}

long RegKey::Open(Registry& registry, HKey parent, std::string_view path, std::uint32_t access) {
    return Take(registry, &Registry::OpenKey, parent, path, access);
}

long RegKey::Create(Registry& registry, HKey parent, std::string_view path, std::uint32_t access) {
    return Take(registry, &Registry::CreateKey, parent, path, access);
}

long RegKey::Take(Registry& registry, KeyCall call, HKey parent, std::string_view path,
                  std::uint32_t access) {
    Close();
    HKey key = 0;
    const long status = (registry.*call)(parent, path, access, key);
    if (status == reg::kSuccess) {
        registry_ = &registry;
        key_ = key;
    }
    return status;
}

void RegKey::Close() {
    if (registry_ != nullptr) {
        registry_->CloseKey(key_);
        registry_ = nullptr;
        key_ = 0;
    }
}

}  // namespace velmora
