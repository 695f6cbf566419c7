#include "tests/cli/CliProcess.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/e2e/harness/RunningProgram.h"
#include "text/Utf.h"

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
    {
        e2e::RunningProgram process = e2e::RunningProgram::StartConsole(commandLine, {in, out, err});
        result.started = process.Started();
        result.finished = process.WaitForExit(e2e::Milliseconds(timeoutMs));
        // Ended when it did not finish in time.
        process.Terminate();
        result.exitCode = process.ExitCode().value_or(0);
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

std::string ReadBytes(const std::string& path) {
    const std::u16string name = text::ToUtf16(path);
    const HANDLE file =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(name.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    char block[4096];
    DWORD got = 0;
    while (::ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) {
        bytes.append(block, got);
    }
    ::CloseHandle(file);
    return bytes;
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

std::vector<std::string> Owners(const std::string& diff) {
    std::vector<std::string> owners;
    std::istringstream lines(diff);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != ' ') {
            owners.push_back(line);
        }
    }
    return owners;
}

}  // namespace velmora::clitest
