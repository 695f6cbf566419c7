// A capture of the prefix's registry taken through the public registry calls: some keys (every value
// with its type and bytes, and for a recursive location every key below), or the whole registry. For
// "nothing else changed" checks, difference lists and putting the keys back after a scenario.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/WholeRegistry.h"
#include "tests/support/RegistryCapture.h"

namespace velmora::e2e {

struct RegistryLocation {
    RootKey root;
    std::string path;
    bool recursive = true;  // false: the key's own values only
};

class RegistrySnapshot {
  public:
    // Keys are named "HKCU\path" and the like, as the program reaches them.
    static RegistrySnapshot Take(const std::vector<RegistryLocation>& locations);

    // The whole registry, named and read as CaptureWholeRegistry (WholeRegistry.h) says.
    static RegistrySnapshot TakeWhole();

    // The same keys as they are now.
    RegistrySnapshot Again() const;

    // Makes the registry match this snapshot again within its keys: values and keys added since are
    // removed, changed or removed ones are written back. True when every write succeeded.
    bool Restore() const;

    const std::vector<RegistryLocation>& Locations() const { return locations_; }
    bool Whole() const { return whole_; }
    const capture::RegistryCapture& Capture() const { return capture_; }
    // Every key that existed, with its values.
    const capture::Keys& Keys() const { return capture_.AllKeys(); }

  private:
    std::vector<RegistryLocation> locations_;
    bool whole_ = false;
    capture::RegistryCapture capture_;
};

// One line per difference, for example
//   "~ HKCU\Control Panel\Desktop [Wallpaper]: REG_SZ "" -> REG_SZ "x.bmp""
// ("+" added, "-" removed, "~" changed), in key order; empty when both hold the same.
std::vector<std::string> Differences(const RegistrySnapshot& before, const RegistrySnapshot& after);

// Writes back, from `before`, everything that `after` changed. True when every write succeeded.
bool PutBack(const RegistrySnapshot& before, const RegistrySnapshot& after);

// Succeeds when the registry under the snapshot's keys still matches it; the failure message lists
// every difference.
testing::AssertionResult RegistryUnchangedSince(const RegistrySnapshot& before);

// RAII: snapshots the locations now and restores them when the scenario ends.
class ScopedRegistryRestore {
  public:
    explicit ScopedRegistryRestore(const std::vector<RegistryLocation>& locations)
        : snapshot_(RegistrySnapshot::Take(locations)) {}
    ~ScopedRegistryRestore() { snapshot_.Restore(); }
    ScopedRegistryRestore(const ScopedRegistryRestore&) = delete;
    ScopedRegistryRestore& operator=(const ScopedRegistryRestore&) = delete;

    const RegistrySnapshot& Snapshot() const { return snapshot_; }

  private:
    RegistrySnapshot snapshot_;
};

}  // namespace velmora::e2e
