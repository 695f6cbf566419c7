// What importing a backup would change in the registry now, per setting or list entry: the values of the
// places the backup covers, and the keys of the verb settings and list entries. A list key's values and a
// list entry added since the backup count too, although importing the backup leaves them in place.
// Whatever the import leaves alone besides (another program's values beside a setting or inside a verb
// that existed, a key left empty) is no difference.
#pragma once

#include <string>
#include <vector>

#include "cli/core/RegFile.h"
#include "system/Services.h"

namespace velmora::cli {

struct Difference {
    std::string owner;   // "Desktop / Show Internet Explorer Icon", "Add/Remove / Some Program", ...
    std::string where;   // "HKEY_...\path [name]", or "HKEY_...\path (key)"
    std::string backup;  // the value in .reg notation, "present", or "absent"
    std::string now;
};

// Owners in the order of the settings and lists, then by place. False (with `error`) when the registry
// cannot be read.
bool DiffBackup(Services services, const RegFile& backup, std::vector<Difference>& differences,
                std::string& error);

}  // namespace velmora::cli
