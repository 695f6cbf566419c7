// The companion's commands: show, backup FILE, diff FILE, apply PROFILE. Exit codes: 0 done (diff: no
// differences), 1 diff found differences or some of apply's rows failed, 2 the command could not be done
// (bad command line, a file that cannot be read, written or understood, a registry key that cannot be
// read, a profile with a problem).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/core/BackupHeader.h"
#include "cli/core/Files.h"
#include "cli/core/Show.h"
#include "system/Services.h"
#include "text/CodePage.h"

namespace velmora::cli {

constexpr int kExitOk = 0;
constexpr int kExitDifferences = 1;
constexpr int kExitSomeFailed = 1;
constexpr int kExitError = 2;

// What the commands need of the system besides its registry.
struct Environment {
    const text::CodePage& ansi;  // the ANSI code page, REGEDIT4's text
    const Files& files;
    BackupOrigin origin;           // goes into a backup's header
    std::ostream* json = nullptr;  // where show --json goes, UTF-8 whatever the system; null: `out`
    TextWidth width = Utf16Width;  // the columns a text of show takes on `out`
};

// `args` are the arguments after the program's name, in UTF-8 like everything written to `out` and `err`.
int RunCommand(const std::vector<std::string>& args, Services services, std::ostream& out, std::ostream& err,
               const Environment& environment);

extern const char* const kUsage;

}  // namespace velmora::cli
