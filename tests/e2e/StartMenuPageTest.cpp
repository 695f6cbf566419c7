// The Start Menu page in the running program: a special folder applied through the Apply button, a
// history cleared at once by its button, and a revisit of the page that must not count as a change.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness/ExpectedChanges.h"
#include "tests/e2e/harness/FamilyMatrix.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kPleaseWaitCaption[] = "Velmora 99 - Please Wait...";
constexpr char kPrintersName[] = "Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}";

// The names in a directory, without "." and "..".
std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// An empty directory of the driver's own that stands in for the user's Start Menu folder; removed with
// what the program put in it.
class ScratchStartMenu {
  public:
    ScratchStartMenu() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "velmora-e2e-start-menu-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchStartMenu() {
        for (const std::string& name : Entries(path_)) {
            RemoveDirectoryA((path_ + "\\" + name).c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Counts the please-wait boxes that come and go until `quiet` has passed without one.
int CountPleaseWaitBoxes(DWORD processId, Milliseconds first, Milliseconds quiet) {
    int count = 0;
    Milliseconds wait = first;
    for (;;) {
        WindowQuery query;
        query.processId = processId;
        query.caption = kPleaseWaitCaption;
        const HWND box = WaitForTopLevelWindow(query, wait);
        if (box == nullptr) {
            return count;
        }
        ++count;
        if (!WaitForWindowGone(box, kDeadline)) {
            ADD_FAILURE() << "the please-wait box stays";
            return count;
        }
        wait = quiet;
    }
}

TEST(StartMenuPage, CheckingPrintersAndApplyingCreatesThatOneFolderAndWaitsOnce) {
    ScratchStartMenu startMenu;
    ScopedRegistryValue startMenuValue(kHkcu, kShellFolders, "Start Menu");
    ASSERT_TRUE(startMenuValue.Set(RegistryValue::String(startMenu.Path())));
    VelmoraSession session(WindowsVersion::Windows98);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = HostedSheet(HostedSheet::Find(main)).CurrentPage();
    const HWND apply = Control(main, main_window::kApply);
    const HWND printers = Control(page, IDC_STARTMENU_PRINTERS_FOLDER_BOX);
    ASSERT_TRUE(IsEnabled(printers));
    ASSERT_FALSE(IsChecked(printers));
    ASSERT_FALSE(IsEnabled(apply));

    ASSERT_TRUE(Click(printers));
    EXPECT_TRUE(IsChecked(printers));
    EXPECT_TRUE(IsEnabled(apply));
    SaveScreenshot(main, "start-menu-printers-checked");

    ASSERT_TRUE(PostClick(apply));
    EXPECT_EQ(CountPleaseWaitBoxes(session.ProcessId(), kDeadline, Milliseconds(2500)), 1);
    ASSERT_TRUE(Responds(main));
    EXPECT_EQ(Entries(startMenu.Path()), std::vector<std::string>{kPrintersName});
    if (Entries(startMenu.Path()) == std::vector<std::string>{kPrintersName}) {
        NoteShown(session.Version(), "applied", "Start Menu");
    }
    EXPECT_FALSE(IsEnabled(apply));
    EXPECT_TRUE(RegistryUnchangedSince(before));

    // Folder changes need no restart: OK closes without asking.
    ASSERT_TRUE(PostClick(Control(main, main_window::kOk)));
    EXPECT_TRUE(session.WaitForExit());
}

TEST(StartMenuPage, ClearingTheRunHistoryDeletesItsKeyAtOnce) {
    ScopedRegistryValue history(kHkcu, std::string(kExplorer) + "\\RunMRU", "a");
    ASSERT_TRUE(history.Set(RegistryValue::String("notepad\\1")));
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = HostedSheet(HostedSheet::Find(main)).CurrentPage();
    const HWND apply = Control(main, main_window::kApply);
    const HWND clearRun = Control(page, IDC_STARTMENU_CLEAR_RUN_BUTTON);
    ASSERT_TRUE(IsEnabled(clearRun));
    EXPECT_EQ(TextOf(clearRun), "Clear Run history now");
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());

    ASSERT_TRUE(PostClick(clearRun));
    const HWND notice = WaitForMessageBox(session.ProcessId(), "Velmora 99 - Information", kDeadline);
    ASSERT_NE(notice, nullptr) << "no log-off notice";
    EXPECT_EQ(MessageBoxText(notice), "You need to log off to clear the folder");
    EXPECT_FALSE(KeyPresent(kHkcu, std::string(kExplorer) + "\\RunMRU"));
    EXPECT_FALSE(IsEnabled(clearRun));
    ASSERT_TRUE(AnswerMessageBox(notice, IDOK));

    EXPECT_FALSE(IsEnabled(apply));
    const RegistrySnapshot after = before.Again();
    EXPECT_TRUE(OnlyTheseChanged(
        before, after, ExpectedChanges(before, after).RemoveKey(kHkcu, std::string(kExplorer) + "\\RunMRU")));
    ASSERT_TRUE(PostClick(Control(main, main_window::kCancel)));
    EXPECT_TRUE(session.WaitForExit());
}

TEST(StartMenuPage, ComingBackToThePageMarksNothingButATouchDoes) {
    ScopedRegistryValue delay(kHkcu, "Control Panel\\Desktop", "MenuShowDelay");
    ASSERT_TRUE(delay.Remove());
    VelmoraSession session(WindowsVersion::Nt);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    HostedSheet sheet(HostedSheet::Find(main));
    const HWND page = sheet.CurrentPage();
    const HWND apply = Control(main, main_window::kApply);
    EXPECT_EQ(TextOf(Control(page, IDC_STARTMENU_DELAY_EDIT)), "Default");

    // Coming back fills the delay's edit again, which is not the user's doing.
    ASSERT_TRUE(sheet.Select(1));
    ASSERT_EQ(sheet.SelectPage("Start Menu"), page);
    EXPECT_FALSE(IsEnabled(apply));

    ASSERT_TRUE(Click(Control(page, IDC_STARTMENU_SHOW_FAVORITES_BOX)));
    EXPECT_TRUE(IsEnabled(apply));
    ASSERT_TRUE(Click(
        Control(page, IDC_STARTMENU_SHOW_FAVORITES_BOX)));  // and back: still a change, applied as shown
    ASSERT_TRUE(Click(apply));
    EXPECT_FALSE(IsEnabled(apply));
    EXPECT_TRUE(RegistryUnchangedSince(before));

    // A policy row needs a restart: OK asks; No closes.
    ASSERT_TRUE(PostClick(Control(main, main_window::kOk)));
    const HWND question = WaitForMessageBox(session.ProcessId(), "Velmora 99 - Restart Windows?", kDeadline);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(AnswerMessageBox(question, IDNO));
    EXPECT_TRUE(session.WaitForExit());
}

}  // namespace
}  // namespace velmora::e2e
