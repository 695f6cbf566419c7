#include "tests/e2e/harness/RunningProgram.h"

#include <string>
#include <utility>

#include "text/Utf.h"

namespace velmora::e2e {

RunningProgram::~RunningProgram() {
    Terminate();
    Release();
}

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      processId_(other.processId_),
      threadId_(other.threadId_),
      startError_(other.startError_) {}

RunningProgram& RunningProgram::operator=(RunningProgram&& other) noexcept {
    if (this != &other) {
        Terminate();
        Release();
        process_ = std::exchange(other.process_, nullptr);
        processId_ = other.processId_;
        threadId_ = other.threadId_;
        startError_ = other.startError_;
    }
    return *this;
}

RunningProgram RunningProgram::Start(const std::string& path, const std::string& arguments) {
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    const std::string directory = path.substr(0, path.find_last_of('\\'));
    return Create(path.c_str(), commandLine, directory.empty() ? nullptr : directory.c_str(), nullptr);
}

RunningProgram RunningProgram::StartConsole(const std::string& commandLine, const StandardHandles& handles) {
    return Create(nullptr, commandLine, nullptr, &handles);
}

RunningProgram RunningProgram::Create(const char* path, std::string commandLine, const char* directory,
                                      const StandardHandles* handles) {
    RunningProgram program;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (handles != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = handles->input;
        startup.hStdOutput = handles->output;
        startup.hStdError = handles->error;
    }
    // Through the W call, so that a command line (or path) beyond the ANSI code page arrives as written.
    const std::u16string units = text::ToUtf16(commandLine);
    std::wstring line(units.begin(), units.end());
    const auto wide = [](const char* utf8) {
        const std::u16string u = text::ToUtf16(utf8 ? utf8 : "");
        return std::wstring(u.begin(), u.end());
    };
    const std::wstring widePath = wide(path);
    const std::wstring wideDirectory = wide(directory);
    PROCESS_INFORMATION info{};
    // On a loaded machine Wine now and then fails to bring a new process up (ERROR_INTERNAL_ERROR from
    // CreateProcess, before any of the program runs): that is tried again, a little later. A program that
    // cannot start for a reason of its own fails each time.
    for (int tries = 0;; ++tries) {
        if (CreateProcessW(path ? widePath.c_str() : nullptr, line.data(), nullptr, nullptr,
                           handles != nullptr, handles != nullptr ? CREATE_NO_WINDOW : 0, nullptr,
                           directory ? wideDirectory.c_str() : nullptr, &startup, &info)) {
            break;
        }
        program.startError_ = GetLastError();
        if (program.startError_ != ERROR_INTERNAL_ERROR || tries == 2) {
            return program;
        }
        Sleep(1000);
    }
    program.startError_ = 0;
    CloseHandle(info.hThread);
    program.process_ = info.hProcess;
    program.processId_ = info.dwProcessId;
    program.threadId_ = info.dwThreadId;
    return program;
}

bool RunningProgram::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForExit(Milliseconds timeout) const {
    return process_ != nullptr &&
           WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> RunningProgram::ExitCode() const {
    DWORD code = 0;
    if (Running() || process_ == nullptr || !GetExitCodeProcess(process_, &code)) {
        return std::nullopt;
    }
    return code;
}

void RunningProgram::Terminate() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

void RunningProgram::Release() {
    if (process_ != nullptr) {
        CloseHandle(process_);
        process_ = nullptr;
    }
}

}  // namespace velmora::e2e
