// Telling the rest of the system about a change: a message sent to every top-level window
// (SendMessageA to HWND_BROADCAST, waiting until all have handled it), or a repaint of the desktop.
#pragma once

#include <cstdint>

namespace velmora {

namespace msg {
// WM_SETTINGCHANGE and WM_WININICHANGE share one number.
constexpr std::uint32_t kSettingChange = 0x001A;
}  // namespace msg

class Broadcaster {
  public:
    virtual ~Broadcaster() = default;
    // Both message parameters are 0 in every broadcast the program sends.
    virtual void Broadcast(std::uint32_t message) = 0;
    // Repaints the desktop window at once and validates it.
    virtual void RepaintDesktop() = 0;
};

}  // namespace velmora
