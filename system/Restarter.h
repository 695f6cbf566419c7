// Ending the Windows session (ExitWindowsEx).
#pragma once

#include <cstdint>

namespace velmora {

namespace ewx {
constexpr std::uint32_t kReboot = 2;
}  // namespace ewx

class Restarter {
  public:
    virtual ~Restarter() = default;
    virtual void EndSession(std::uint32_t flags) = 0;
};

}  // namespace velmora
