// velmora-cli: the companion console program. Its commands run on the machine's registry through the
// same services as Velmora.exe.
#include <windows.h>

#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/core/BackupHeader.h"
#include "cli/core/CommandLine.h"
#include "system/win32/Win32Services.h"

namespace {

// Output through C stdio. std::cout and std::cerr would link libstdc++'s file streams, which import
// run-time functions that the msvcrt.dll of Windows 95, 98 and NT 4.0 does not have.
class StdioBuffer : public std::streambuf {
  public:
    explicit StdioBuffer(std::FILE* file) : file_(file) {}

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        return std::fputc(traits_type::to_char_type(c), file_) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        return static_cast<std::streamsize>(std::fwrite(text, 1, static_cast<std::size_t>(count), file_));
    }
    int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

  private:
    std::FILE* file_;
};

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
    StdioBuffer outBuffer(stdout);
    StdioBuffer errBuffer(stderr);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    velmora::Win32Services services;
    try {
        const int code = velmora::cli::RunCommand(args, services.Get(), out, err,
                                                  velmora::cli::BackupOrigin{"", WindowsVersion()});
        out.flush();
        return code;
    } catch (const std::exception& e) {
        err << "velmora-cli: " << e.what() << "\n";
        return velmora::cli::kExitError;
    }
}
