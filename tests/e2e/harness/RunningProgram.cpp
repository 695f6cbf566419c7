#include "tests/e2e/harness/RunningProgram.h"

#include <utility>
#include <vector>

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
    RunningProgram program;
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    const std::string directory = path.substr(0, path.find_last_of('\\'));

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        program.startError_ = GetLastError();
        return program;
    }
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
