// The companion's commands: show, backup FILE, diff FILE. Exit codes: 0 done (diff: no differences),
// 1 diff found differences, 2 the command could not be done (bad command line, a file that cannot be
// read, written or understood, a registry key that cannot be read).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/core/BackupHeader.h"
#include "system/Services.h"

namespace velmora::cli {

constexpr int kExitOk = 0;
constexpr int kExitDifferences = 1;
constexpr int kExitError = 2;

// `args` are the arguments after the program's name; `origin` goes into a backup's header.
int RunCommand(const std::vector<std::string>& args, Services services, std::ostream& out, std::ostream& err,
               const BackupOrigin& origin = {});

extern const char* const kUsage;

}  // namespace velmora::cli
