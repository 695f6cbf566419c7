// Starts the measured programs one after the other, several rounds, and notes for each start the wall
// clock just before CreateProcess. Each program writes its own marks (bench/StartupMarks.h) to the file
// named in VELMORA_BENCH_OUT and closes itself; the report joins the two.
//
//   Launch.exe <rounds> <marks folder> <program>...
//
// Writes <marks folder>\launches.tsv: program, round, start (wall-clock microseconds), exit code, and
// the marks file of that start.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/StartupMarks.h"

namespace {

constexpr DWORD kLongestRun = 600000;  // milliseconds; a program that takes longer is ended

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Runs `program` once; the exit code, or -1 when it could not be started or had to be ended.
long RunOnce(const std::string& program, long long* started) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    const std::string folder = Folder(program);
    *started = velmora::bench::WallMicros();
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        return -1;
    }
    long result = -1;
    if (::WaitForSingleObject(process.hProcess, kLongestRun) == WAIT_OBJECT_0) {
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        result = static_cast<long>(code);
    } else {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: Launch.exe <rounds> <marks folder> <program>...\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const std::string marks = argv[2];
    FILE* out = std::fopen((marks + "\\launches.tsv").c_str(), "w");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s\\launches.tsv\n", marks.c_str());
        return 1;
    }
    // Round by round, so that a slow spell of the machine falls on every program alike.
    for (int round = 0; round < rounds; ++round) {
        for (int arg = 3; arg < argc; ++arg) {
            const std::string program = argv[arg];
            const std::string file = marks + "\\" + BaseName(program) + "-" + std::to_string(round) + ".tsv";
            ::DeleteFileA(file.c_str());
            ::SetEnvironmentVariableA("VELMORA_BENCH_OUT", file.c_str());
            long long started = 0;
            const long code = RunOnce(program, &started);
            std::fprintf(out, "%s\t%d\t%lld\t%ld\t%s\n", BaseName(program).c_str(), round, started, code,
                         file.c_str());
            std::fflush(out);
        }
    }
    std::fclose(out);
    return 0;
}
