#include "tests/cli/CliProcess.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace velmora::clitest {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    std::string folded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            folded += text[i];
        }
    }
    return folded;
}

HANDLE Inheritable(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string Quote(const std::string& arg) {
    return "\"" + arg + "\"";
}

}  // namespace

std::string ScratchDirectory(const std::string& name) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string directory = std::string(temp) + "velmora-cli-" + name;
    ::CreateDirectoryA(directory.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                ::DeleteFileA((directory + "\\" + found.cFileName).c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    return directory;
}

ProcessResult RunProcess(const std::string& commandLine, unsigned long timeoutMs) {
    ProcessResult result;
    const std::string directory = ScratchDirectory("process");
    const std::string outPath = directory + "\\out.txt";
    const std::string errPath = directory + "\\err.txt";
    const HANDLE out = Inheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = Inheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE in = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    result.started = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &process) != FALSE;
    if (result.started) {
        result.finished = ::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
        if (!result.finished) {
            ::TerminateProcess(process.hProcess, 99);
            ::WaitForSingleObject(process.hProcess, 5000);
        }
        ::GetExitCodeProcess(process.hProcess, &result.exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (HANDLE h : {out, err, in}) {
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
    result.out = ReadAll(outPath);
    result.err = ReadAll(errPath);
    return result;
}

std::string CliPath() {
    std::string path = "Z:";
    for (const char c : std::string(VELMORA_CLI_EXE)) {
        path += c == '/' ? '\\' : c;
    }
    return path;
}

ProcessResult RunCli(const std::vector<std::string>& args) {
    std::string line = Quote(CliPath());
    for (const std::string& arg : args) {
        line += " " + Quote(arg);
    }
    return RunProcess(line);
}

ProcessResult ImportWithRegedit(const std::string& windowsPath) {
    return RunProcess("regedit.exe /s " + Quote(windowsPath));
}

}  // namespace velmora::clitest
