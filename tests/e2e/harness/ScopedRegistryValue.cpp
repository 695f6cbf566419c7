#include "tests/e2e/harness/ScopedRegistryValue.h"

#include "registry/Names.h"

namespace velmora::e2e {

ScopedRegistryValue::ScopedRegistryValue(RootKey root, std::string path, std::string name)
    : root_(root),
      path_(std::move(path)),
      name_(std::move(name)),
      original_(ReadRawValue(root_, path_, name_)) {
    std::string prefix;
    for (const std::string_view component : SplitKeyPath(path_)) {
        if (!prefix.empty()) {
            prefix += '\\';
        }
        prefix += component;
        if (!missingKeys_.empty() || !KeyPresent(root_, prefix)) {
            missingKeys_.push_back(prefix);
        }
    }
}

ScopedRegistryValue::~ScopedRegistryValue() {
    if (original_) {
        WriteRawValue(root_, path_, name_, *original_);
        return;
    }
    RemoveValue(root_, path_, name_);
    if (!missingKeys_.empty()) {
        RemoveKeyTree(root_, missingKeys_.front());
    }
}

bool ScopedRegistryValue::Set(const RegistryValue& value) {
    return WriteRawValue(root_, path_, name_, value) && ReadRawValue(root_, path_, name_) == value;
}

bool ScopedRegistryValue::Remove() {
    return RemoveValue(root_, path_, name_);
}

}  // namespace velmora::e2e
