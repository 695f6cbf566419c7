// The registry export format regedit imports ("REGEDIT4"): the content of a file as sections of keys and
// values, written and read back by the companion. Values keep their exact type and bytes: a text that
// the quoted form cannot carry unchanged is written as hex.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/Registry.h"

namespace velmora::cli {

struct RawValue {
    std::uint32_t type = reg::kNone;
    std::vector<std::uint8_t> data;
    bool operator==(const RawValue&) const = default;
};

struct ValueEntry {
    std::string name;               // empty is the default value ("@")
    std::optional<RawValue> value;  // nothing: the value is to be deleted ("name"=-)
    bool operator==(const ValueEntry&) const = default;
};

struct Section {
    RootKey root = RootKey::CurrentUser;
    std::string path;
    bool deleteKey = false;  // [-key]: the key is deleted with everything below it
    std::vector<ValueEntry> values;
    bool operator==(const Section&) const = default;
};

struct RegFile {
    std::vector<Section> sections;
    std::vector<std::string> comments;  // the "; " lines between REGEDIT4 and the first key
    bool operator==(const RegFile&) const = default;
};

// The file's text, CRLF line ends, long hex lines continued with a backslash as regedit writes them.
// Fails (returns false with a reason) for a value name the format cannot carry.
bool WriteRegFile(const RegFile& file, std::string& text, std::string& error);

// One value as the right-hand side of its line: "text", dword:0000002a, hex:.., hex(2):.. (unwrapped).
std::string FormatValue(const RawValue& value);

// Reads what WriteRegFile writes; LF or CRLF line ends, blank lines are skipped, and so are ';' comments
// (those before the first key are kept in `comments`). On failure `error` names the line and what is
// wrong with it.
std::optional<RegFile> ParseRegFile(const std::string& text, std::string& error);

// "HKEY_CURRENT_USER" and the other three roots by name; nothing for any other text.
std::optional<RootKey> RootFromName(const std::string& name);

// Imports the file into a registry as regedit does: [-key] deletes the key and all below it, a section
// creates its key with its parents, "name"=- deletes a value. False when a key could not be created or
// a value could not be set.
bool ImportRegFile(Registry& registry, const RegFile& file);

}  // namespace velmora::cli
