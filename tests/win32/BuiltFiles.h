// The binaries of this build that the Windows tests read, named by CMake as host paths.
#pragma once

#include <string>

namespace velmora {

inline constexpr char kIcobankPath[] = VELMORA_TEST_ICOBANK;
inline constexpr char kProgramPath[] = VELMORA_TEST_PROGRAM;
inline constexpr char kCliPath[] = VELMORA_TEST_CLI;  // empty when the build has no velmora-cli

// A host path as the Windows program sees it: "/a/b" is "Z:\a\b" under Wine.
inline std::string BuiltFile(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/') {
        return hostPath;
    }
    std::string path = "Z:" + hostPath;
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

}  // namespace velmora
