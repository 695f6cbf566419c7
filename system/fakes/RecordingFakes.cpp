#include "system/fakes/RecordingFakes.h"

#include <cctype>

namespace velmora {

int FakeSystemParameters::Call(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t flags) {
    calls.push_back(CallRecord{action, param, data != nullptr, flags});
    journal_.push_back("SystemParametersInfo(" + std::to_string(action) + ", " + std::to_string(param) +
                       ", " + (data != nullptr ? "data" : "null") + ", " + std::to_string(flags) + ")");
    if (fault.Fails()) {
        return 0;
    }
    if (data != nullptr) {
        if (const auto it = stored.find(action); it != stored.end()) {
            *static_cast<int*>(data) = it->second;
        }
    }
    const auto result = results.find(action);
    return result != results.end() ? result->second : 1;
}

void FakeBroadcaster::Broadcast(std::uint32_t message) {
    messages.push_back(message);
    journal_.push_back("Broadcast(" + std::to_string(message) + ")");
}

void FakeBroadcaster::RepaintDesktop() {
    ++desktopRepaints;
    journal_.push_back("RepaintDesktop()");
}

std::string FakeDirectories::Key(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    while (!key.empty() && key.back() == '\\') {
        key.pop_back();
    }
    return key;
}

void FakeDirectories::AddDirectory(const std::string& path) {
    directories_.insert(Key(path));
}

void FakeDirectories::AddFileIn(const std::string& directory) {
    nonEmpty_.insert(Key(directory));
}

bool FakeDirectories::Has(const std::string& path) const {
    return directories_.count(Key(path)) != 0;
}

bool FakeDirectories::Exists(const std::string& path) {
    journal_.push_back("Exists(" + path + ")");
    return !existsFault.Fails() && Has(path);
}

bool FakeDirectories::Create(const std::string& path) {
    journal_.push_back("CreateDirectory(" + path + ")");
    if (createFault.Fails()) {
        return false;
    }
    return directories_.insert(Key(path)).second;
}

bool FakeDirectories::Remove(const std::string& path) {
    journal_.push_back("RemoveDirectory(" + path + ")");
    if (removeFault.Fails()) {
        return false;
    }
    if (nonEmpty_.count(Key(path)) != 0) {
        return false;
    }
    return directories_.erase(Key(path)) != 0;
}

int FakeMessageBoxes::Show(WindowRef owner, const std::string& text, const std::string& caption,
                           std::uint32_t style) {
    shown.push_back(Shown{owner, text, caption, style});
    journal_.push_back("MessageBox(" + caption + ")");
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & 0x0F) == mb::kYesNo ? defaultAnswer : mb::kIdOk;
}

std::string FakeMessageBoxes::SystemErrorText(long code) {
    const auto it = errorTexts.find(code);
    return it != errorTexts.end() ? it->second : "Error text " + std::to_string(code) + ".";
}

bool FakeRestarter::EnableShutdownPrivilege() {
    ++privilegeRequests;
    journal_.push_back("EnableShutdownPrivilege()");
    return true;
}

long FakeRestarter::EndSession(std::uint32_t flags) {
    requests.push_back(flags);
    journal_.push_back("ExitWindows(" + std::to_string(flags) + ")");
    return endSessionError;
}

std::uintptr_t FakeShell::Open(const std::string& target, int show) {
    opened.push_back(target);
    journal_.push_back("ShellOpen(" + target + ", " + std::to_string(show) + ")");
    return openFault.Fails() ? 2 : openResult;
}

unsigned FakeShell::Run(const std::string& commandLine, int show) {
    run.push_back(commandLine);
    journal_.push_back("WinExec(" + commandLine + ", " + std::to_string(show) + ")");
    return runFault.Fails() ? 2 : runResult;
}

bool FakeHelpViewer::FileExists(const std::string& path) {
    journal_.push_back("FileExists(" + path + ")");
    const auto upper = [](std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return text;
    };
    for (const std::string& file : files) {
        if (upper(file) == upper(path)) {
            return true;
        }
    }
    return false;
}

bool FakeHelpViewer::CallWinHelp(WindowRef owner, const std::string& file, std::uint32_t command,
                                 std::uintptr_t data) {
    winHelpCalls.push_back(Call{owner, file, command, data});
    journal_.push_back("WinHelp(" + file + ", " + std::to_string(command) + ", " + std::to_string(data) +
                       ")");
    return winHelpWorks;
}

bool FakeHelpViewer::ShowHtmlHelp(WindowRef owner, const std::string& target) {
    htmlHelpCalls.push_back(Call{owner, target, 0, 0});
    journal_.push_back("HtmlHelp(" + target + ")");
    return htmlHelpWorks;
}

void FakeHelpViewer::CloseHtmlHelp() {
    ++htmlHelpClosed;
    journal_.push_back("CloseHtmlHelp()");
}

}  // namespace velmora
