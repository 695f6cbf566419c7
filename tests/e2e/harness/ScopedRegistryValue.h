// One registry value a scenario prepares, put back as it was when the scenario ends: the old data and
// type, or no value at all, and without the keys that had to be created for it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness/RegistryValues.h"

namespace velmora::e2e {

class ScopedRegistryValue {
  public:
    // Remembers the value's current state; changes nothing yet.
    ScopedRegistryValue(RootKey root, std::string path, std::string name);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

    // Both return true when the registry now holds what was asked.
    bool Set(const RegistryValue& value);
    bool Remove();

    const std::optional<RegistryValue>& Original() const { return original_; }

  private:
    RootKey root_;
    std::string path_;
    std::string name_;
    std::optional<RegistryValue> original_;
    // The key paths that did not exist at the start, outermost first.
    std::vector<std::string> missingKeys_;
};

}  // namespace velmora::e2e
