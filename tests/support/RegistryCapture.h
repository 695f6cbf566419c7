// A copy of registry keys as the enumerating calls hand them over: every key by name, every value with
// its type and bytes. The one way the tests capture a registry, the in-memory one of the host tests and
// the prefix's real one under Wine alike (through the program's Registry interface over advapi32), for
// "nothing else changed" checks, difference lists and putting keys back.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Registry.h"

namespace velmora::capture {

struct Value {
    std::uint32_t type = reg::kNone;
    std::vector<std::uint8_t> bytes;

    bool operator==(const Value&) const = default;

    static Value String(std::string_view text);  // REG_SZ with its terminating zero
    static Value Dword(std::uint32_t value);
    static Value Binary(std::vector<std::uint8_t> bytes);
};

// A value for messages: REG_SZ as quoted text, REG_DWORD as hex, anything else as its bytes.
std::string Describe(const Value& value);

// Registry order: names compared without case.
struct NameOrder {
    bool operator()(std::string_view a, std::string_view b) const;
};
using Values = std::map<std::string, Value, NameOrder>;
using Keys = std::map<std::string, Values, NameOrder>;

class RegistryCapture {
  public:
    // Reads the key `path` below `parent` into a key named `name` ("HKCU\Control Panel" and the like);
    // with `recursive` every key below it too, named after it, except the keys whose name `skip` accepts
    // (and all below them). A key that is missing adds nothing.
    using Skip = std::function<bool(const std::string& name)>;
    void Add(Registry& registry, HKey parent, std::string_view path, const std::string& name,
             bool recursive = true, const Skip& skip = nullptr);

    // Takes every key of `part` (a capture of other keys) as it is.
    void Include(const RegistryCapture& part);

    const Keys& AllKeys() const { return keys_; }
    bool HasKey(const std::string& key) const { return keys_.contains(key); }
    // The stored spelling of a key, or null when there is none.
    const std::string* StoredName(const std::string& key) const;
    std::optional<Value> ValueOf(const std::string& key, const std::string& name) const;

    bool operator==(const RegistryCapture&) const = default;

  private:
    Keys keys_;
};

struct Change {
    enum Kind { kKeyAdded, kKeyRemoved, kValueAdded, kValueRemoved, kValueChanged };
    Kind kind;
    std::string key;
    std::string name;             // values only
    std::optional<Value> before;  // removed and changed values
    std::optional<Value> after;   // added and changed values

    // "+ key HKCU\...", "~ HKCU\...\Desktop [Wallpaper]: REG_SZ "" -> REG_SZ "x.bmp"" and so on.
    std::string Line() const;
};

// "HKCU\...\Desktop [Wallpaper]", "(default)" for the unnamed value.
std::string ValueLabel(const std::string& key, const std::string& name);

// Every difference: keys that went or came (a new key's values follow it), values that went, came or
// changed.
std::vector<Change> Changes(const RegistryCapture& before, const RegistryCapture& after);
// The same as lines, sorted.
std::vector<std::string> ChangedLines(const RegistryCapture& before, const RegistryCapture& after);

// The four roots of a registry, named "HKCR", "HKCU", "HKLM" and "HKU".
RegistryCapture CaptureRoots(Registry& registry);

}  // namespace velmora::capture
