#include "tests/e2e/harness/VelmoraSession.h"

#include <algorithm>
#include <utility>

#include "tests/e2e/harness/FamilyMatrix.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/ReliabilityCounts.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {

namespace {

std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

}  // namespace

VelmoraSession::VelmoraSession(WindowsVersion version, std::string program)
    : programPath_(std::move(program)), version_(version), windowing_(FileName(programPath_)) {}

testing::AssertionResult VelmoraSession::Launch() {
    if (!version_.Ok()) {
        return testing::AssertionFailure() << "could not prepare the registry for " << ToString(Version());
    }
    if (!windowing_.Ok()) {
        return testing::AssertionFailure() << "could not set Wine's window handling for the program";
    }
    launched_ = std::chrono::steady_clock::now();
    program_ = RunningProgram::Start(programPath_);
    if (!program_.Started()) {
        return testing::AssertionFailure()
               << "could not start " << programPath_ << " (error " << program_.StartError() << ")";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult VelmoraSession::WaitForMainWindow(Milliseconds timeout) {
    using std::chrono::duration_cast;
    using std::chrono::steady_clock;
    mainWindow_ = WaitForTopLevelWindow({ProcessId(), kMainWindowCaption, "#32770", nullptr, true}, timeout);
    const auto shown = duration_cast<Milliseconds>(steady_clock::now() - launched_);
    if (mainWindow_ == nullptr) {
        return testing::AssertionFailure()
               << "the window \"" << kMainWindowCaption << "\" was not shown within " << timeout.count()
               << " ms of the start" << (program_.Running() ? "" : " (the program has ended)");
    }
    // Shown is not yet ready: the thread that shows it may still be busy for a while, and Wine counts
    // it as hung until it next takes a message when that is more than five seconds after its start.
    const bool answered = Responds(mainWindow_, timeout);
    const auto answer = duration_cast<Milliseconds>(steady_clock::now() - launched_) - shown;
    if (!answered) {
        return testing::AssertionFailure()
               << "the main window was shown " << shown.count() << " ms after the start but did not answer a "
               << "message within " << answer.count() << " ms after that"
               << (program_.Running() ? "" : " (the program has ended)");
    }
    NoteStartup(shown, answer);
    return testing::AssertionSuccess();
}

testing::AssertionResult VelmoraSession::WaitForLists(Milliseconds timeout) {
    if (!WaitUntil([this] { return ListPagesFilled(mainWindow_); }, timeout)) {
        return testing::AssertionFailure()
               << "the list pages have not shown their lists within " << timeout.count() << " ms"
               << (program_.Running() ? "" : " (the program has ended)");
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult VelmoraSession::Start() {
    testing::AssertionResult started = Launch();
    if (started) {
        started = WaitForMainWindow();
    }
    if (started) {
        started = WaitForLists();
    }
    if (started && !WineModeInUse().empty()) {
        // For the Wine modes' table: the page table as this run shows it.
        const std::vector<std::string> titles = HostedSheet(HostedSheet::Find(mainWindow_)).TabTitles();
        const bool security = std::find(titles.begin(), titles.end(), "Security") != titles.end();
        NoteShown(Version(), "tabs", std::to_string(titles.size()) + (security ? " +Sec" : ""));
    }
    return started;
}

testing::AssertionResult VelmoraSession::WaitForExit(Milliseconds timeout) {
    if (program_.WaitForExit(timeout)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the program still runs after " << timeout.count() << " ms";
}

HWND VelmoraSession::SelectPage(std::string_view title) const {
    const HWND sheet = HostedSheet::Find(mainWindow_);
    return sheet == nullptr ? nullptr : HostedSheet(sheet).SelectPage(title);
}

}  // namespace velmora::e2e
