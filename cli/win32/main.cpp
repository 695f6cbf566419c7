// velmora-cli: the companion console program. Its commands run on the machine's registry through the
// same services as Velmora.exe.
#include <iostream>
#include <string>
#include <vector>

#include "cli/core/CommandLine.h"
#include "system/win32/Win32Services.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    velmora::Win32Services services;
    try {
        const int code = velmora::cli::RunCommand(args, services.Get(), std::cout, std::cerr);
        std::cout.flush();
        return code;
    } catch (const std::exception& e) {
        std::cerr << "velmora-cli: " << e.what() << "\n";
        return velmora::cli::kExitError;
    }
}
