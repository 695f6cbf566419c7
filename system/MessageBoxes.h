// Questions and notices shown to the user as message boxes, and the system's wording of an error code.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// A window that owns a message box or a help call; 0 for none. Portable code passes it through untouched.
using WindowRef = std::uintptr_t;

namespace mb {
constexpr std::uint32_t kOk = 0x00;
constexpr std::uint32_t kYesNo = 0x04;
constexpr std::uint32_t kIconStop = 0x10;
constexpr std::uint32_t kIconQuestion = 0x20;
constexpr std::uint32_t kIconExclamation = 0x30;
constexpr std::uint32_t kIconInformation = 0x40;
constexpr std::uint32_t kDefButton2 = 0x100;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
}  // namespace mb

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // MessageBoxA: returns the id of the button pressed.
    virtual int Show(WindowRef owner, const std::string& text, const std::string& caption,
                     std::uint32_t style) = 0;
    // The system's own words for a Win32 error code (FormatMessageA), without the line break it ends with.
    virtual std::string SystemErrorText(long code) = 0;
};

}  // namespace velmora
