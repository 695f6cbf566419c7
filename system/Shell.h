// Opening documents and running command lines.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

class Shell {
  public:
    virtual ~Shell() = default;
    // ShellExecuteA with verb "open", no owner, parameters or directory; returns its code (> 32 is success).
    virtual std::uintptr_t Open(const std::string& target, int show) = 0;
    // WinExec; returns its code (> 31 is success).
    virtual unsigned Run(const std::string& commandLine, int show) = 0;
};

}  // namespace velmora
