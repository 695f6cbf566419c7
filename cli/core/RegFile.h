// The registry export format regedit imports ("REGEDIT4", and "Windows Registry Editor Version 5.00" with
// the same syntax): the content of a file as sections of keys and values, written and read back by the
// companion. Values keep their exact type and bytes: a text that the quoted form cannot carry unchanged
// is written as hex.
#pragma once

#include <cstdint>
#include <functional>
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

inline constexpr char kRegedit4[] = "REGEDIT4";
inline constexpr char kRegeditVersion5[] = "Windows Registry Editor Version 5.00";

// One form of the file: its first line, and the bytes it holds for the data of a text value (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) written as hex. The forms differ there: REGEDIT4 holds code-page bytes,
// version 5 UTF-16LE. A quoted text is written as it is; the caller converts the whole file's text.
struct RegFileForm {
    std::string firstLine = kRegedit4;
    // The data in the file; nothing when it has no exact form there. Unset: the bytes as they are.
    std::function<std::optional<std::string>(std::string_view data)> textToFile;
    // The file's bytes back to the data. Unset: as they are.
    std::function<std::string(std::string_view bytes)> textFromFile;
};

// The file's text, CRLF line ends, long hex lines continued with a backslash as regedit writes them.
// Fails (returns false with a reason) for a value name the format cannot carry, or a text value that
// `form` cannot hold.
bool WriteRegFile(const RegFile& file, std::string& text, std::string& error, const RegFileForm& form = {});

// One value as the right-hand side of its line: "text", dword:0000002a, hex:.., hex(2):.. (unwrapped).
std::string FormatValue(const RawValue& value);

// Reads what WriteRegFile writes; LF or CRLF line ends, blank lines are skipped, and so are ';' comments
// (those before the first key are kept in `comments`). On failure `error` names the line and what is
// wrong with it.
std::optional<RegFile> ParseRegFile(const std::string& text, std::string& error,
                                    const RegFileForm& form = {});

// "HKEY_CURRENT_USER" and the other three roots by name; nothing for any other text.
std::optional<RootKey> RootFromName(const std::string& name);

// Imports the file into a registry as regedit does: [-key] deletes the key and all below it, a section
// creates its key with its parents, "name"=- deletes a value. False when a key could not be created or
// a value could not be set.
bool ImportRegFile(Registry& registry, const RegFile& file);

}  // namespace velmora::cli
