// Runs velmora-cli.exe (or regedit) from a Wine test driver and collects what it wrote and its exit code.
#pragma once

#include <string>
#include <vector>

namespace velmora::clitest {

struct ProcessResult {
    bool started = false;
    bool finished = false;
    unsigned long exitCode = 0;
    std::string out;  // standard output, line ends as the program wrote them (CRLF folded to LF)
    std::string err;
};

// `commandLine` is given to CreateProcess as it is; standard output and error go to files that are read
// back when the process has ended (or after `timeoutMs`, when it is ended).
ProcessResult RunProcess(const std::string& commandLine, unsigned long timeoutMs = 60000);

// velmora-cli.exe of this build with the given arguments, each one quoted.
ProcessResult RunCli(const std::vector<std::string>& args);

// "regedit.exe /s FILE": the import a user does to restore a backup.
ProcessResult ImportWithRegedit(const std::string& windowsPath);

// The bytes of a file, its name in UTF-8 (empty when it cannot be read).
std::string ReadBytes(const std::string& path);

// A fresh folder of the driver's own under the temp folder, emptied first.
std::string ScratchDirectory(const std::string& name);

std::string CliPath();

// The lines of the output of `velmora-cli diff` that name a setting (its detail lines are indented).
std::vector<std::string> Owners(const std::string& diff);

}  // namespace velmora::clitest
