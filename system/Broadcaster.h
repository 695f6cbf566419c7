// Telling the rest of the system about a change: a message sent to every top-level window
// (SendMessageTimeoutA to HWND_BROADCAST, waiting until each has handled it, but not for a window that
// has stopped answering), or a repaint of the desktop.
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
