// A copy of the whole registry of the prefix (HKEY_LOCAL_MACHINE and HKEY_USERS, which hold everything:
// HKEY_CLASSES_ROOT and HKEY_CURRENT_USER are views of them), for "nothing changed but what the scenario
// names" checks, and for putting back exactly what a scenario changed.
//
// The image is the registry server's own save of both roots (RegSaveKey: one call each, a third of a
// second for the whole registry, where walking it key by key takes ten seconds). Values are kept as the
// ANSI calls hand them over. Symbolic links are kept as their link value, never followed.
//
// What Wine changes by itself, measured under Wine 8 by comparing a key-by-key walk with the save and
// images taken around program starts that touch nothing: only volatile keys, which the save leaves out
// and which Wine rebuilds at every server or process start: HKLM\Hardware, the device map and device
// interface links, HKLM\System\MountedDevices, the active computer name, the video driver keys,
// NetworkCards, and in the user's branch Software\Wine\Fonts\Cache and "Temporary System Parameters"
// (the settings a program changed without saving them). No persistent key or value changed, so nothing
// else is excluded: every other difference is the program's. None of the volatile keys is one the
// program reads or writes.
//
// Keys are named for people: the current user's branch of HKEY_USERS as "HKCU\...", the machine's
// classes as "HKCR\...", everything else as "HKLM\..." or "HKU\...".
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"

namespace velmora::e2e {

class RegistryImage {
  public:
    using Values = RegistrySnapshot::Values;
    using Keys = std::map<std::string, Values, RegistrySnapshot::NameLess>;

    static RegistryImage Take();
    // False when the registry could not be saved (the image is then empty).
    bool Saved() const { return saved_; }

    const Keys& AllKeys() const { return keys_; }
    // The stored spelling of a key (names are compared without case), or null when there is none.
    const std::string* StoredName(const std::string& key) const;
    std::optional<RegistryValue> Value(const std::string& key, const std::string& name) const;
    bool HasKey(const std::string& key) const { return keys_.contains(key); }

  private:
    Keys keys_;
    bool saved_ = false;
};

// The name a key of the program's view has in an image: "HKCU\Control Panel\Desktop" and the like.
std::string ImageKeyName(RootKey root, std::string_view path);

struct RegistryChange {
    enum Kind { kKeyAdded, kKeyRemoved, kValueAdded, kValueRemoved, kValueChanged };
    Kind kind;
    std::string key;
    std::string name;                     // values only
    std::optional<RegistryValue> before;  // removed and changed values
    std::optional<RegistryValue> after;   // added and changed values

    // "+ key HKCU\...", "~ HKCU\...\Desktop [Wallpaper]: REG_SZ "" -> REG_SZ "x.bmp"" and so on.
    std::string Line() const;
};

std::vector<RegistryChange> AllChanges(const RegistryImage& before, const RegistryImage& after);

// The differences as lines in a stable order.
std::vector<std::string> ChangedLines(const RegistryImage& before, const RegistryImage& after);

// Writes back, from `before`, everything that `after` changed: added keys
// and values go, removed and changed ones come back. True when the registry matches `before` again
// for all of them.
bool PutBack(const RegistryImage& before, const RegistryImage& after);

// The lines a scenario expects, built against the image before it and the image after it (which give
// the stored spelling of key names).
class ExpectedChanges {
  public:
    ExpectedChanges(const RegistryImage& before, const RegistryImage& after)
        : before_(before), after_(after) {}

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

    const RegistryImage& before_;
    const RegistryImage& after_;
    std::vector<std::string> lines_;
};

// Succeeds when the changes between the images are exactly the expected ones.
testing::AssertionResult OnlyTheseChanged(const RegistryImage& before, const RegistryImage& after,
                                          const ExpectedChanges& expected);
testing::AssertionResult NothingChanged(const RegistryImage& before, const RegistryImage& after);

}  // namespace velmora::e2e
