// Ending the Windows session (ExitWindowsEx), with the shutdown privilege the NT family asks for.
#pragma once

#include <cstdint>

namespace velmora {

namespace ewx {
constexpr std::uint32_t kReboot = 2;
}  // namespace ewx

class Restarter {
  public:
    virtual ~Restarter() = default;
    // Enables the shutdown privilege on the process token where the system has one (the NT family);
    // true when it is enabled or the system has no such thing.
    virtual bool EnableShutdownPrivilege() = 0;
    // ExitWindowsEx: 0 when Windows accepted the request, otherwise the error code.
    virtual long EndSession(std::uint32_t flags) = 0;
};

}  // namespace velmora
