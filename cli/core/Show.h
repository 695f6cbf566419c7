// The `show` command's content: every setting of the four setting pages as their models load it, in the
// way the main window loads them on this system, and the entries of the three lists.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/core/PageSettings.h"
#include "settings/MachinePolicy.h"
#include "system/Services.h"

namespace velmora::cli {

struct ShownSetting {
    const ListedSetting* row;
    bool loaded;        // false where the main window does not load the row on this system
    std::string state;  // "checked", "unchecked", a choice or a text; "n/a" when not loaded
    std::string note;   // why the row is not loaded
    std::string where;  // the locations, or where else it lives
    // For a row Windows also reads from a machine-wide key: what Windows uses, and from where.
    std::optional<EffectiveState> effective;
};

struct ShownEntry {
    std::string list;    // "System folders", "Autorun", "Uninstall", "New"
    std::string source;  // the autorun source ("Current User", ...); empty for the other lists
    std::string name;
    std::string value;  // the folder's path, the autorun command, the uninstall command; empty for "New"
    std::string where;
};

struct ShowReport {
    std::vector<ShownSetting> settings;
    std::vector<ShownEntry> entries;
};

ShowReport CollectShow(Services services);

// The entry's state as `show` writes it: "checked", "unchecked", a choice or a text; a password as one
// "*" per character.
std::string StateText(const ListedSetting& row, const BoundMember& member);

// How many columns a text takes where it is shown.
using TextWidth = std::function<std::size_t(std::string_view)>;
// One column per UTF-16 unit, as a console of the NT family shows the characters of most scripts.
std::size_t Utf16Width(std::string_view text);

// Aligned columns of the texts as they are (UTF-8), padded by `width`.
void PrintShowText(const ShowReport& report, std::ostream& out, const TextWidth& width = Utf16Width);
// JSON in UTF-8.
void PrintShowJson(const ShowReport& report, std::ostream& out);

// A JSON string literal of a text: control characters and lone surrogates as \u escapes, every other
// character as it is.
std::string JsonString(const std::string& text);

}  // namespace velmora::cli
