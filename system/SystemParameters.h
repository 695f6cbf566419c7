// SystemParametersInfoA, as one call: the few actions the pages use go through it unchanged.
#pragma once

#include <cstdint>

namespace velmora {

namespace spi {
constexpr std::uint32_t kGetBeep = 1;
constexpr std::uint32_t kSetBeep = 2;
constexpr std::uint32_t kSetDragFullWindows = 37;
constexpr std::uint32_t kGetDragFullWindows = 38;
constexpr std::uint32_t kSetFontSmoothing = 75;
constexpr std::uint32_t kSetIcons = 88;
constexpr std::uint32_t kGetWindowsExtension = 92;

constexpr std::uint32_t kUpdateIniFile = 1;
constexpr std::uint32_t kSendWinIniChange = 2;

constexpr long kCanNotComplete = 1003;  // ERROR_CAN_NOT_COMPLETE
}  // namespace spi

class SystemParameters {
  public:
    virtual ~SystemParameters() = default;
    // Returns what SystemParametersInfoA returns (nonzero on success). `data` may be null.
    virtual int Call(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t flags) = 0;
    // The error code of the last call that failed (never 0 after a failure: a system that gives no
    // reason reports ERROR_CAN_NOT_COMPLETE).
    virtual long LastError() = 0;

    // A call that changes a setting: 0 when it worked, otherwise the error code.
    long Change(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t flags) {
        return Call(action, param, data, flags) != 0 ? 0 : LastError();
    }
};

}  // namespace velmora
