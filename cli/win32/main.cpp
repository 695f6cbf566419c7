// velmora-cli: the companion console program. Its commands run on the machine's registry through the
// same services as Velmora.exe.
#include <windows.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "cli/core/Arguments.h"
#include "cli/core/BackupHeader.h"
#include "cli/core/CommandLine.h"
#include "cli/win32/ConsoleBuffer.h"
#include "cli/win32/Lookup.h"
#include "cli/win32/WindowsFiles.h"
#include "system/win32/Win32Services.h"
#include "text/win32/AnsiCodePage.h"
#include "text/win32/SystemText.h"

namespace {

using velmora::cli::ConsoleBuffer;

// The Windows version this runs on, for a backup's header.
std::string WindowsVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) {
        return "";
    }
    return velmora::cli::DescribeWindows(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                                         info.dwBuildNumber, velmora::text::FromAnsi(info.szCSDVersion));
}

// The arguments in UTF-8: on the NT family from the command line as the system holds it (argv is its
// ANSI copy, with '?' for what the code page lacks), on Windows 95 and 98 from argv.
std::vector<std::string> Arguments(int argc, char** argv) {
    using GetCommandLineWFn = const wchar_t*(WINAPI*)();
    if (velmora::text::UsesWideCalls()) {
        if (const auto get = velmora::cli::Lookup<GetCommandLineWFn>("kernel32.dll", "GetCommandLineW")) {
            return velmora::cli::SplitArguments(velmora::text::Narrow(get()));
        }
    }
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(velmora::text::FromAnsi(argv[i]));
    }
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    using velmora::text::SystemAnsiCodePage;
    const bool nt = velmora::text::UsesWideCalls();
    ConsoleBuffer outBuffer(stdout, STD_OUTPUT_HANDLE, ConsoleBuffer::Bytes::kSystem);
    ConsoleBuffer errBuffer(stderr, STD_ERROR_HANDLE, ConsoleBuffer::Bytes::kSystem);
    ConsoleBuffer jsonBuffer(stdout, STD_OUTPUT_HANDLE, ConsoleBuffer::Bytes::kUtf8);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    std::ostream json(&jsonBuffer);
    // On the NT family a lone surrogate is a character of its own, which no code page holds: a backup with
    // one is written as version 5. On Windows 95 and 98 it stands for a byte the registry gave.
    const SystemAnsiCodePage ansi(nt ? SystemAnsiCodePage::kNoBytes : SystemAnsiCodePage::kBytesKept);
    const velmora::cli::WindowsFiles files;
    velmora::cli::Environment environment{ansi, files, velmora::cli::BackupOrigin{"", WindowsVersion()},
                                          &json};
    if (!nt) {
        // As wide as the ANSI bytes the console shows.
        environment.width = [](std::string_view text) { return velmora::text::ToAnsi(text).size(); };
    }
    velmora::Win32Services services;
    try {
        const int code =
            velmora::cli::RunCommand(Arguments(argc, argv), services.Get(), out, err, environment);
        out.flush();
        json.flush();
        return code;
    } catch (const std::exception& e) {
        err << "velmora-cli: " << e.what() << "\n";
        return velmora::cli::kExitError;
    }
}
