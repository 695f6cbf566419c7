// One run of Velmora.exe in a chosen Windows version: prepares the registry (and Wine's window handling,
// see WineWindowing.h), starts the program, finds its main window. On destruction the program is terminated
// if it still runs, then the registry is put back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/RunningProgram.h"
#include "tests/e2e/harness/Wait.h"
#include "tests/e2e/harness/WindowsVersion.h"
#include "tests/e2e/harness/WineWindowing.h"

namespace velmora::e2e {

// Generous: the first start in a fresh Wine server, and a start-up that walks HKEY_CLASSES_ROOT, on a
// loaded machine.
inline constexpr Milliseconds kStartTimeout{60000};
// The list pages' lists arrive after the window is up: generous for the hostile registries' thousands of
// entries.
inline constexpr Milliseconds kListsTimeout{120000};
inline constexpr Milliseconds kExitTimeout = kDeadline;

class VelmoraSession {
  public:
    // `program` is the Windows path of the Velmora.exe to run: this build's unless a scenario runs a copy.
    explicit VelmoraSession(WindowsVersion version, std::string program = ProgramPath());

    // CreateProcess only; for scenarios that watch the start-up itself.
    testing::AssertionResult Launch();
    // Waits for the main window to be visible and then for its thread to take a message, each within
    // `timeout`, and notes both times for the reliability report.
    testing::AssertionResult WaitForMainWindow(Milliseconds timeout = kStartTimeout);
    // Waits until the three list pages show their lists (read by the program after its window is up).
    testing::AssertionResult WaitForLists(Milliseconds timeout = kListsTimeout);
    // All three: the program as a user finds it once it has read everything.
    testing::AssertionResult Start();
    testing::AssertionResult WaitForExit(Milliseconds timeout = kExitTimeout);

    WindowsVersion Version() const { return version_.Version(); }
    const RunningProgram& Program() const { return program_; }
    DWORD ProcessId() const { return program_.ProcessId(); }
    HWND MainWindow() const { return mainWindow_; }
    // Changes to the page with this tab title and returns it; null when there is none.
    HWND SelectPage(std::string_view title) const;

  private:
    std::string programPath_;
    ScopedWindowsVersion version_;
    ScopedUnmanagedWindows windowing_;
    RunningProgram program_;
    std::chrono::steady_clock::time_point launched_;
    HWND mainWindow_ = nullptr;
};

}  // namespace velmora::e2e
