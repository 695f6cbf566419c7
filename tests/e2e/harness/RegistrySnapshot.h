// A copy of some registry keys (every value with its type and bytes, and for a recursive location every
// key below), for "nothing else changed" checks and for putting the keys back after a scenario.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness/RegistryValues.h"

namespace velmora::e2e {

struct RegistryLocation {
    RootKey root;
    std::string path;
    bool recursive = true;  // false: the key's own values only
};

class RegistrySnapshot {
  public:
    struct Key {
        RootKey root;
        std::string path;
        bool operator<(const Key& other) const;  // registry order: by root, then path with case ignored
    };
    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Values = std::map<std::string, RegistryValue, NameLess>;

    static RegistrySnapshot Take(const std::vector<RegistryLocation>& locations);

    // Makes the registry match this snapshot again within its locations: values and keys added since
    // are removed, changed or removed ones are written back.
    void Restore() const;

    const std::vector<RegistryLocation>& Locations() const { return locations_; }
    // Every key that existed, with its values.
    const std::map<Key, Values>& Keys() const { return keys_; }

  private:
    void Add(RootKey root, const std::string& path, bool recursive);

    std::vector<RegistryLocation> locations_;
    std::map<Key, Values> keys_;
};

// One line per difference, for example
//   "~ HKCU\Control Panel\Desktop [Wallpaper]: REG_SZ "" -> REG_SZ "x.bmp""
// ("+" added, "-" removed, "~" changed); empty when both hold the same.
std::vector<std::string> Differences(const RegistrySnapshot& before, const RegistrySnapshot& after);

// Succeeds when the registry under the snapshot's locations still matches it; the failure message
// lists every difference.
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
