// Where the program under test and the driver's output live. CMake hands both over as host (Unix)
// paths; the driver runs under Wine and sees them through drive Z:.
#pragma once

#include <string>
#include <string_view>

namespace velmora::e2e {

// "/a/b" becomes "Z:\a\b"; a path that already names a drive is returned unchanged.
std::string ToWinePath(std::string_view path);

// Velmora.exe of this build.
std::string ProgramPath();

// The folder the screenshots go to (created on first use).
std::string ScreenshotDirectory();

}  // namespace velmora::e2e
