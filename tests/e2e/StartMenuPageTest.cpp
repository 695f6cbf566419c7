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
#include "text/win32/SystemText.h"

namespace velmora::e2e {
namespace {

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kPleaseWaitCaption[] = "Velmora 99 - Please Wait...";
constexpr char kPrintersName[] = "Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}";
constexpr char kControlPanelName[] = "Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";

// The names in a directory (UTF-8), without "." and "..".
std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(text::Wide(directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = text::Narrow(found.cFileName);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool MakeDirectory(const std::string& path) {
    return CreateDirectoryW(text::Wide(path).c_str(), nullptr) != FALSE;
}

// An empty directory of the driver's own that stands in for the user's Start Menu folder, named `name`
// (UTF-8) and the driver's process id; removed with what the program put in it.
class ScratchStartMenu {
  public:
    explicit ScratchStartMenu(const std::string& name = "velmora-e2e-start-menu-") {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = text::Narrow(temp) + name + std::to_string(GetCurrentProcessId());
        MakeDirectory(path_);
    }
    ~ScratchStartMenu() {
        for (const std::string& name : Entries(path_)) {
            RemoveDirectoryW(text::Wide(path_ + "\\" + name).c_str());
        }
        RemoveDirectoryW(text::Wide(path_).c_str());
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
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
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
    ASSERT_TRUE(PostClick(Control(main, IDOK)));
    EXPECT_TRUE(session.WaitForExit());
}

TEST(StartMenuPage, ClearingTheRunHistoryDeletesItsKeyAtOnce) {
    ScopedRegistryValue history(kHkcu, std::string(kExplorer) + "\\RunMRU", "a");
    ASSERT_TRUE(history.Set(RegistryValue::String("notepad\\1")));
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = HostedSheet(HostedSheet::Find(main)).CurrentPage();
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
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
    ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
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
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
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
    ASSERT_TRUE(PostClick(Control(main, IDOK)));
    const HWND question = WaitForMessageBox(session.ProcessId(), "Velmora 99 - Restart Windows?", kDeadline);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(AnswerMessageBox(question, IDNO));
    EXPECT_TRUE(session.WaitForExit());
}

// A Start Menu folder under a profile named with a letter outside the code page ("Łukasz": no code page of
// the text lanes holds it, and a Western European Windows's ANSI calls make it "Lukasz", a folder that
// is not there): the folder that is in it shows checked, and Apply creates and removes folders in it.
TEST(StartMenuPageText, FoldersAreFoundCreatedAndRemovedUnderAPathOutsideTheCodePage) {
    ScratchStartMenu startMenu("velmora-e2e-\xC5\x81ukasz-start-menu-");
    ASSERT_TRUE(MakeDirectory(startMenu.Path() + "\\" + kPrintersName));
    ScopedRegistryValue startMenuValue(kHkcu, kShellFolders, "Start Menu");
    ASSERT_TRUE(startMenuValue.Set(RegistryValue::String(startMenu.Path())));
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const HWND page = session.SelectPage("Start Menu");
    ASSERT_NE(page, nullptr);
    const HWND printers = Control(page, IDC_STARTMENU_PRINTERS_FOLDER_BOX);
    const HWND controlPanel = Control(page, IDC_STARTMENU_CONTROL_PANEL_FOLDER_BOX);
    ASSERT_TRUE(IsEnabled(printers));
    EXPECT_TRUE(IsChecked(printers));
    ASSERT_FALSE(IsChecked(controlPanel));

    ASSERT_TRUE(Click(printers));
    ASSERT_TRUE(Click(controlPanel));
    ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDC_MAIN_APPLY_BUTTON)));
    WindowQuery pleaseWait;
    pleaseWait.processId = session.ProcessId();
    pleaseWait.caption = kPleaseWaitCaption;
    const HWND box = WaitForTopLevelWindow(pleaseWait, kDeadline);
    ASSERT_NE(box, nullptr) << "Apply changed no folder";
    ASSERT_TRUE(WaitForWindowGone(box, kDeadline));
    EXPECT_EQ(Entries(startMenu.Path()), std::vector<std::string>{kControlPanelName});

    ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDOK)));
    EXPECT_TRUE(session.WaitForExit());
}

}  // namespace
}  // namespace velmora::e2e
