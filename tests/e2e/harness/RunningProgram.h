// A started program that cannot outlive its scenario: whatever way a test leaves, the destructor
// terminates the process if it still runs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/harness/Wait.h"

namespace velmora::e2e {

class RunningProgram {
  public:
    RunningProgram() = default;
    ~RunningProgram();
    RunningProgram(RunningProgram&& other) noexcept;
    RunningProgram& operator=(RunningProgram&& other) noexcept;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // CreateProcess of `path` (a Windows path) with `arguments`; the working directory is the program's
    // folder. Nothing is inherited, so the program holds none of the driver's handles (nor ctest's pipe).
    static RunningProgram Start(const std::string& path, const std::string& arguments = "");

    // The console program `commandLine` names (found as CreateProcess finds it), without a console
    // window, with these handles (inheritable ones) as its standard input, output and error: the only
    // handles it inherits.
    struct StandardHandles {
        HANDLE input;
        HANDLE output;
        HANDLE error;
    };
    static RunningProgram StartConsole(const std::string& commandLine, const StandardHandles& handles);

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }
    DWORD MainThreadId() const { return threadId_; }
    HANDLE Process() const { return process_; }
    // The error of a failed start.
    DWORD StartError() const { return startError_; }

    bool Running() const;
    // True when the process has ended within `timeout`.
    bool WaitForExit(Milliseconds timeout) const;
    std::optional<DWORD> ExitCode() const;
    // Ends the process at once (if it runs) and waits for it to be gone.
    void Terminate();

  private:
    static RunningProgram Create(const char* path, std::string commandLine, const char* directory,
                                 const StandardHandles* handles);
    void Release();

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    DWORD startError_ = 0;
};

}  // namespace velmora::e2e
