// The changes a scenario names against a whole-registry snapshot, and the check that the registry
// changed by exactly those.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness/RegistrySnapshot.h"

namespace velmora::e2e {

// The lines a scenario expects, built against the snapshot before it and the one after it (which give
// the stored spelling of key names).
class ExpectedChanges {
  public:
    ExpectedChanges(const RegistrySnapshot& before, const RegistrySnapshot& after)
        : before_(before.Capture()), after_(after.Capture()) {}

    // The value holds `value` afterwards; keys on its path that did not exist are created.
    ExpectedChanges& Set(RootKey root, std::string_view path, std::string_view name,
                         const RegistryValue& value);
    // The value is gone afterwards.
    ExpectedChanges& Remove(RootKey root, std::string_view path, std::string_view name);
    // The key is gone afterwards (with everything below it).
    ExpectedChanges& RemoveKey(RootKey root, std::string_view path);

    std::vector<std::string> Lines() const;

  private:
    std::string Spelled(const std::string& key) const;

    const capture::RegistryCapture& before_;
    const capture::RegistryCapture& after_;
    std::vector<std::string> lines_;
};

// Succeeds when the changes between the snapshots are exactly the expected ones.
testing::AssertionResult OnlyTheseChanged(const RegistrySnapshot& before, const RegistrySnapshot& after,
                                          const ExpectedChanges& expected);
testing::AssertionResult NothingChanged(const RegistrySnapshot& before, const RegistrySnapshot& after);

}  // namespace velmora::e2e
