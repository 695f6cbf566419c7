// The `show` command's content: every setting of the four setting pages as their models load it, in the
// way the main window loads them on this system, and the entries of the three lists.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/core/PageSettings.h"
#include "system/Services.h"

namespace velmora::cli {

struct ShownSetting {
    const ListedSetting* row;
    bool loaded;        // false where the main window does not load the row on this system
    std::string state;  // "checked", "unchecked", a choice or a text; "n/a" when not loaded
    std::string note;   // why the row is not loaded
    std::string where;  // the locations, or where else it lives
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

// Aligned columns; texts are shown as they are stored (ANSI).
void PrintShowText(const ShowReport& report, std::ostream& out);
// JSON, ASCII only: bytes 0x80 and above are read as Windows-1252 and written as \u escapes.
void PrintShowJson(const ShowReport& report, std::ostream& out);

// A JSON string literal of an ANSI text.
std::string JsonString(const std::string& text);

}  // namespace velmora::cli
