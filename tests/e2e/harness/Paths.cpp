#include "tests/e2e/harness/Paths.h"

#include <windows.h>

namespace velmora::e2e {

std::string ToWinePath(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') {
        return std::string(path);
    }
    std::string result = "Z:";
    for (const char c : path) {
        result += c == '/' ? '\\' : c;
    }
    return result;
}

std::string ProgramPath() {
    return ToWinePath(VELMORA_E2E_PROGRAM);
}

std::string ScreenshotDirectory() {
    const std::string directory = ToWinePath(VELMORA_E2E_SCREENSHOTS);
    CreateDirectoryA(directory.c_str(), nullptr);
    return directory;
}

}  // namespace velmora::e2e
