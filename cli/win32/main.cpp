// velmora-cli: the companion console program. Its commands run on the machine's registry through the
// same services as Velmora.exe.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/core/CommandLine.h"
#include "system/win32/Win32Services.h"

namespace {

// The Windows version this runs on, for a backup's header.
std::string WindowsVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) {
        return "";
    }
    return velmora::cli::DescribeWindows(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                                         info.dwBuildNumber, info.szCSDVersion);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    velmora::Win32Services services;
    try {
        const int code = velmora::cli::RunCommand(args, services.Get(), std::cout, std::cerr,
                                                  velmora::cli::BackupOrigin{"", WindowsVersion()});
        std::cout.flush();
        return code;
    } catch (const std::exception& e) {
        std::cerr << "velmora-cli: " << e.what() << "\n";
        return velmora::cli::kExitError;
    }
}
