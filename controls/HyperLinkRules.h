// What the hyperlink label decides away from its window: the rectangle that covers exactly its text,
// how a link is opened (the shell first, then the browser registered for ".htm" documents) and the
// text shown when neither works. Portable, so that it is tested on the host; the label's window code
// feeds it sizes and styles and shows what it returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/Registry.h"
#include "system/Shell.h"

namespace velmora::hyperlink {

// Right and bottom are exclusive, as in Win32.
struct Rect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Static control styles the fitting looks at.
constexpr std::uint32_t kCenter = 0x0001;       // SS_CENTER
constexpr std::uint32_t kRight = 0x0002;        // SS_RIGHT
constexpr std::uint32_t kCenterImage = 0x0200;  // SS_CENTERIMAGE

// The label's rectangle shrunk to a text of `textWidth` x `textHeight`, keeping the anchor its
// alignment style implies (centre, right edge or left edge; vertical centre or top edge).
Rect FitToText(Rect rect, long textWidth, long textHeight, std::uint32_t style);

// The buffer the registered browser command is built in, terminating zero included.
constexpr std::size_t kCommandLineBufferSize = 520;

// The command line that starts the registered ".htm" program on `target`: the registered line cut at a
// quoted or bare %1 placeholder, then a blank and the target. Nothing when the result does not fit the
// command-line buffer: such a line is not run.
std::optional<std::string> BuildBrowserCommandLine(std::string_view registered, std::string_view target);

// The default value of `subKey` under `root`, read with query access into at most 260 bytes. Returns the
// registry's error code; a default value that cannot be read fails like a key that cannot be opened.
long ReadDefaultValue(Registry& registry, HKey root, std::string_view subKey, std::string& value);

// Opens `target` through the shell; when the shell fails, runs the ".htm" class's open command on it.
// Returns the shell's code, or the launcher's when the fallback ran (> 32 is success).
std::uintptr_t OpenTarget(Registry& registry, Shell& shell, const std::string& target, int show);

// The explanation of a failed open for the shell's or the launcher's result code.
std::string OpenErrorText(std::uintptr_t code);
// The whole message of the failure box.
std::string OpenErrorMessage(std::uintptr_t code);

}  // namespace velmora::hyperlink
