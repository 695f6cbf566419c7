// The Folders/Run page under Wine: deleting and editing autorun entries after the question, and the
// restart offered at OK after an attempt to change a system folder's path. Each scenario prepares its own
// entries and puts the keys back at its end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness/CaptionFit.h"
#include "tests/e2e/harness/ExpectedChanges.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/ScopedKeyDenial.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr int kFolderList = 1090;
constexpr int kChangePath = 1092;
constexpr int kAutorunList = 1105;
constexpr int kDelete = 1107;
constexpr int kEdit = 1081;
constexpr int kEditorText = 1083;
constexpr int kAutorunEditorName = 1082;
constexpr int kFolderEditorName = 1093;

constexpr char kImportant[] = "Velmora 99 - Important";
constexpr char kAutorunEditor[] = "Velmora 99 - Autorun";
constexpr char kFolderEditor[] = "Velmora 99 - System Folders";
constexpr Milliseconds kWait = kDeadline;

// Whether the list box holds this entry. Asked by LB_FINDSTRINGEXACT: Wine hands LB_GETTEXT across
// processes back as UTF-16, whatever the caller asked for.
bool Shows(HWND list, const std::string& entry) {
    return SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(entry.c_str())) != LB_ERR;
}

class FolderRunPage : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(one_.Set(RegistryValue::String("C:\\e2e\\one.exe")));
        ASSERT_TRUE(two_.Set(RegistryValue::String("C:\\e2e\\two.exe /q")));
        ASSERT_TRUE(folder_.Set(RegistryValue::String("C:\\e2e\\Folder")));
        before_ = RegistrySnapshot::Take(Keys());
        ASSERT_TRUE(session_.Start());
        const HWND sheet = HostedSheet::Find(session_.MainWindow());
        ASSERT_NE(sheet, nullptr);
        page_ = HostedSheet(sheet).SelectPage("Folders/Run");
        ASSERT_NE(page_, nullptr);
        autoruns_ = Control(page_, kAutorunList);
    }

    static std::vector<RegistryLocation> Keys() {
        return {{RootKey::CurrentUser, kRun}, {RootKey::CurrentUser, kShellFolders, false}};
    }

    // Selects the entry and presses Delete or Edit; the question or the editor follows.
    void Press(int button, const std::string& entry) {
        ASSERT_TRUE(SelectListEntry(page_, kAutorunList, entry));
        ASSERT_TRUE(IsEnabled(Control(page_, button)));
        ASSERT_TRUE(PostClick(Control(page_, button)));
    }

    void Answer(const std::string& question, int answer) {
        const HWND box = WaitForMessageBox(session_.ProcessId(), kImportant, kWait);
        ASSERT_NE(box, nullptr) << "no question";
        EXPECT_EQ(MessageBoxText(box), question);
        EXPECT_TRUE(HasButton(box, IDYES) && HasButton(box, IDNO));
        ASSERT_TRUE(AnswerMessageBox(box, answer));
    }

    // After Delete or Edit the list is read again and both buttons go off.
    void ExpectRefilled() {
        // The page turns the buttons off after reading the list again, one after the other.
        EXPECT_TRUE(WaitUntil(
            [&] { return !IsEnabled(Control(page_, kDelete)) && !IsEnabled(Control(page_, kEdit)); }, kWait));
        EXPECT_EQ(SendMessageA(autoruns_, LB_GETCURSEL, 0, 0), LB_ERR);
    }

    ScopedRegistryValue one_{RootKey::CurrentUser, kRun, "Velmora e2e One"};
    ScopedRegistryValue two_{RootKey::CurrentUser, kRun, "Velmora e2e Two"};
    ScopedRegistryValue folder_{RootKey::CurrentUser, kShellFolders, "Velmora e2e Folder"};
    ScopedRegistryRestore restore_{Keys()};
    RegistrySnapshot before_;
    VelmoraSession session_{WindowsVersion::Nt};
    HWND page_ = nullptr;
    HWND autoruns_ = nullptr;
};

TEST_F(FolderRunPage, StartsWithTheCurrentUsersEntriesAndTheButtonsOff) {
    EXPECT_TRUE(Shows(autoruns_, "Velmora e2e One"));
    EXPECT_TRUE(Shows(autoruns_, "Velmora e2e Two"));
    EXPECT_TRUE(Shows(Control(page_, kFolderList), "Velmora e2e Folder"));
    EXPECT_EQ(TextOf(Control(page_, 1106)), "Current User");
    EXPECT_EQ(TextOf(Control(page_, 1091)), "Mark folder name above to see path Here!");
    for (int button : {kChangePath, kDelete, kEdit}) {
        EXPECT_FALSE(IsEnabled(Control(page_, button))) << button;
    }
    EXPECT_NE(SaveScreenshot(session_.MainWindow(), "folders-run-page").path, "");

    ASSERT_TRUE(SelectListEntry(page_, kFolderList, "Velmora e2e Folder"));
    EXPECT_EQ(TextOf(Control(page_, 1091)), "C:\\e2e\\Folder");
    EXPECT_TRUE(IsEnabled(Control(page_, kChangePath)));
    ASSERT_TRUE(SelectListEntry(page_, kAutorunList, "Velmora e2e Two"));
    EXPECT_TRUE(IsEnabled(Control(page_, kDelete)));
    EXPECT_TRUE(IsEnabled(Control(page_, kEdit)));
    EXPECT_NE(SaveScreenshot(session_.MainWindow(), "folders-run-page-selected").path, "");
}

TEST_F(FolderRunPage, DeleteAfterYesRemovesOnlyThatValueAndRefreshesTheList) {
    Press(kDelete, "Velmora e2e One");
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDYES);
    ExpectRefilled();
    EXPECT_FALSE(Shows(autoruns_, "Velmora e2e One"));
    EXPECT_TRUE(Shows(autoruns_, "Velmora e2e Two"));
    const RegistrySnapshot after = before_.Again();
    EXPECT_TRUE(OnlyTheseChanged(
        before_, after,
        ExpectedChanges(before_, after).Remove(RootKey::CurrentUser, kRun, "Velmora e2e One")));
}

TEST_F(FolderRunPage, DeleteAfterNoWritesNothing) {
    Press(kDelete, "Velmora e2e One");
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDNO);
    ExpectRefilled();
    EXPECT_TRUE(Shows(autoruns_, "Velmora e2e One"));
    EXPECT_TRUE(RegistryUnchangedSince(before_));
}

TEST_F(FolderRunPage, DeletingAnEntryRemovedMeanwhileSaysSoAndDropsItFromTheList) {
    ASSERT_TRUE(RemoveValue(RootKey::CurrentUser, kRun, "Velmora e2e One"));
    Press(kDelete, "Velmora e2e One");
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDYES);
    const HWND box = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Error", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Couldn\xB4t remove Velmora e2e One");
    EXPECT_TRUE(HasButton(box, IDOK));
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    ExpectRefilled();
    EXPECT_FALSE(Shows(autoruns_, "Velmora e2e One"));
}

// The Run key refuses changes, as the Local Machine one does without an administrator's rights on Windows
// Vista and later: the box says so and how to get them.
TEST_F(FolderRunPage, DeletingFromAKeyThatRefusesChangesSaysItNeedsAnAdministrator) {
    ScopedKeyDenial denial(RootKey::CurrentUser, kRun);
    ASSERT_TRUE(denial.Ok()) << "the key's access list could not be replaced";
    Press(kDelete, "Velmora e2e One");
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDYES);
    const HWND box = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Error", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "Couldn\xB4t remove Velmora e2e One\r\n\r\n"
              "Only an administrator can make this change: start Velmora 99 with "
              "\"Run as administrator\".");
    SaveScreenshot(box, "access-denied-autorun");
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    ExpectRefilled();
    EXPECT_TRUE(Shows(autoruns_, "Velmora e2e One"));
    EXPECT_TRUE(RegistryUnchangedSince(before_));
}

TEST_F(FolderRunPage, EditStoresTheNewCommandAsTextUnderTheSameName) {
    ASSERT_TRUE(one_.Set(RegistryValue::Binary({'o', 'l', 'd', 0, 'x', 'x'})));
    const RegistrySnapshot prepared = RegistrySnapshot::Take(Keys());
    Press(kEdit, "Velmora e2e One");
    const HWND editor = WaitForTopLevelWindow({session_.ProcessId(), kAutorunEditor, "#32770"}, kWait);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, kAutorunEditorName)), "Velmora e2e One");
    EXPECT_EQ(TextOf(Control(editor, kEditorText)), "old");
    EXPECT_FALSE(IsEnabled(session_.MainWindow())) << "the editor is not modal to the main window";
    EXPECT_NE(SaveScreenshot(editor, "folders-run-autorun-editor").path, "");
    EXPECT_TRUE(CaptionsFit(editor));

    SendMessageA(Control(editor, kEditorText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\new.exe /q"));
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    Answer("You're about to change the searchpath for an AutoRun Program. Do you want to continue?", IDYES);
    ExpectRefilled();
    EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, kRun, "Velmora e2e One"),
              RegistryValue::String("C:\\new.exe /q"));
    const RegistrySnapshot after = prepared.Again();
    EXPECT_TRUE(OnlyTheseChanged(
        prepared, after,
        ExpectedChanges(prepared, after)
            .Set(RootKey::CurrentUser, kRun, "Velmora e2e One", RegistryValue::String("C:\\new.exe /q"))));
}

TEST_F(FolderRunPage, OkInTheEditorWithoutTypingAsksNothingAndWritesNothing) {
    Press(kEdit, "Velmora e2e Two");
    const HWND editor = WaitForTopLevelWindow({session_.ProcessId(), kAutorunEditor, "#32770"}, kWait);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    ASSERT_TRUE(WaitForWindowGone(editor, kWait));
    ExpectRefilled();
    EXPECT_EQ(WaitForMessageBox(session_.ProcessId(), kImportant, Milliseconds(500)), nullptr);
    EXPECT_TRUE(RegistryUnchangedSince(before_));
}

TEST_F(FolderRunPage, OkAfterAFolderChangeAttemptOffersTheRestart) {
    ASSERT_TRUE(SelectListEntry(page_, kFolderList, "Velmora e2e Folder"));
    ASSERT_TRUE(PostClick(Control(page_, kChangePath)));
    const HWND editor = WaitForTopLevelWindow({session_.ProcessId(), kFolderEditor, "#32770"}, kWait);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, kFolderEditorName)), "Velmora e2e Folder");
    EXPECT_EQ(TextOf(Control(editor, kEditorText)), "C:\\e2e\\Folder");
    EXPECT_NE(SaveScreenshot(editor, "folders-run-folder-editor").path, "");
    EXPECT_TRUE(CaptionsFit(editor));
    ASSERT_TRUE(PostClick(Control(editor, IDCANCEL)));
    ASSERT_TRUE(WaitForWindowGone(editor, kWait));
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(Control(page_, kChangePath)); }, kWait));
    EXPECT_EQ(TextOf(Control(page_, 1091)), "Mark folder name above to see path Here!");

    ASSERT_TRUE(PostClick(Control(session_.MainWindow(), main_window::kOk)));
    const HWND restart = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Restart Windows?", kWait);
    ASSERT_NE(restart, nullptr) << "OK did not offer the restart";
    ASSERT_TRUE(AnswerMessageBox(restart, IDNO));
    ASSERT_TRUE(session_.WaitForExit());
    EXPECT_TRUE(RegistryUnchangedSince(before_));
}

}  // namespace
}  // namespace velmora::e2e
