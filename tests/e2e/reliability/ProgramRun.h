// One run of the program for the reliability scenarios: the whole registry is captured before the start;
// each scenario then checks that the registry differs from that capture by exactly what it names, counts
// itself for the report and puts the registry back, so that the next scenario of the run starts from
// the same capture.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/harness/ExpectedChanges.h"
#include "tests/e2e/harness/VelmoraSession.h"

namespace velmora::e2e {

// What the scenarios name: the roots, the program's keys and its warning's caption.
inline constexpr RootKey kHkcu = RootKey::CurrentUser;
inline constexpr RootKey kHklm = RootKey::LocalMachine;
inline constexpr RootKey kHkcr = RootKey::ClassesRoot;
inline constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kLogon[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
inline constexpr char kImportant[] = "Velmora 99 - Important";

class ProgramRun {
  public:
    explicit ProgramRun(WindowsVersion version);
    ~ProgramRun();

    // The capture before the start, then the start.
    testing::AssertionResult Start();

    HWND Main() const { return session_.MainWindow(); }
    DWORD ProcessId() const { return session_.ProcessId(); }
    // Changes to the page with this tab title; null when there is none.
    HWND SelectPage(const std::string& title);

    // Apply, waited for. With `question` set, Apply is posted and the question with that caption is
    // answered Yes.
    testing::AssertionResult Apply(const char* question = nullptr);

    // Compares the registry now with the capture before the start: `expect` names the changes allowed.
    // Counts one diff scenario of `page` and puts back whatever changed.
    testing::AssertionResult OnlyChanged(const std::string& page,
                                         const std::function<void(ExpectedChanges&)>& expect,
                                         const std::string& kind = "diff scenarios");
    testing::AssertionResult NothingChangedYet(const std::string& page,
                                               const std::string& kind = "diff scenarios");

    // Presses Cancel (or OK, answering a restart question No), waits for the end of the process, and
    // checks that it ended normally and that the registry matches the capture before the start.
    testing::AssertionResult CloseWith(int button);

    const RegistrySnapshot& Before() const { return before_; }
    // At the end of the run the registry is put back to `snapshot` instead of the capture before the start
    // (for scenarios that prepare the registry after the session has set its Windows version).
    void PutBackAtEndTo(RegistrySnapshot snapshot) { end_ = std::move(snapshot); }

  private:
    VelmoraSession session_;
    RegistrySnapshot before_;
    std::optional<RegistrySnapshot> end_;
};

// A click on a check box as the user makes it. When it opens a notice with `notice` as its caption (only
// when the box becomes checked), the notice is answered OK. False when the click or notice went wrong.
bool Touch(const ProgramRun& run, HWND box, const char* notice = nullptr);

// Presses a button that opens a modal window with this caption, and returns the window (or null).
HWND OpenWindow(const ProgramRun& run, HWND button, const std::string& caption);
// Presses a dialog's button and waits for it to close.
bool CloseWindow(HWND window, int button);
// Answers the message box with this caption; false when none came.
bool Answer(const ProgramRun& run, const std::string& caption, int button);

// Puts `text` into an edit as the user's paste does: through the clipboard and WM_PASTE.
bool Paste(HWND edit, const std::string& text);

}  // namespace velmora::e2e
