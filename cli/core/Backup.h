// What a backup holds: every key and value the program can change, each with the setting or list entry
// it belongs to, read from a registry into the sections of a REGEDIT4 file.
#pragma once

#include <string>
#include <vector>

#include "cli/core/PageSettings.h"
#include "cli/core/RegFile.h"
#include "system/Services.h"

namespace velmora::cli {

struct Target {
    enum Kind {
        kValue,   // one value; when its key is absent, "name"=- under that key (see ReadTargets)
        kTree,    // a key Velmora creates as a unit and deletes again, with all below it; an absent one is
                  // deleted
        kValues,  // every value of a list's key (no subkeys); an absent key is left alone
        kEntry,   // a list entry's key with all below it; an absent key is left alone
    };
    Kind kind;
    RootKey root;
    std::string key;
    std::string value;  // kValue only
    std::string owner;  // "Desktop / Show Internet Explorer Icon", "Add/Remove / Some Program", ...
};

// The targets of the setting rows, then of the lists as they stand in `services`' registry: the three
// Run keys, Shell Folders, each listed Uninstall entry, each listed "ShellNew" key.
std::vector<Target> CollectTargets(Services services);

// The targets' keys and values as they are now. An absent value becomes "name"=- under its key, also
// when the key itself is absent: importing the file then leaves that key, and any parent created on the
// way, behind empty, and never deletes a key another program may have filled since. Only a key of a
// kTree target (or one inside it) is deleted ([-key]) when absent: the highest absent one of those, as
// Velmora's own pages delete it as a unit. Sections come sorted by root and key, each key once. False
// (with `error`) when a key exists but cannot be read.
bool ReadTargets(Registry& registry, const std::vector<Target>& targets, RegFile& file, std::string& error);

}  // namespace velmora::cli
