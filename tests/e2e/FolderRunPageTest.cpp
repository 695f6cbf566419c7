// The Folders/Run page under Wine: deleting and editing autorun entries after the question, and the
// restart offered at OK after an attempt to change a system folder's path. Each scenario prepares its own
// entries and puts the keys back at its end.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
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
        autoruns_ = Control(page_, IDC_FOLDERSRUN_AUTORUN_LIST);
    }

    static std::vector<RegistryLocation> Keys() {
        return {{RootKey::CurrentUser, kRun}, {RootKey::CurrentUser, kShellFolders, false}};
    }

    // Selects the entry and presses Delete or Edit; the question or the editor follows.
    void Press(int button, const std::string& entry) {
        ASSERT_TRUE(SelectListEntry(page_, IDC_FOLDERSRUN_AUTORUN_LIST, entry));
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
            [&] {
                return !IsEnabled(Control(page_, IDC_FOLDERSRUN_DELETE_BUTTON)) &&
                       !IsEnabled(Control(page_, IDC_FOLDERSRUN_EDIT_BUTTON));
            },
            kWait));
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
    EXPECT_TRUE(Shows(Control(page_, IDC_FOLDERSRUN_FOLDER_LIST), "Velmora e2e Folder"));
    EXPECT_EQ(TextOf(Control(page_, IDC_FOLDERSRUN_SOURCE_COMBO)), "Current User");
    EXPECT_EQ(TextOf(Control(page_, IDC_FOLDERSRUN_PATH_TEXT)), "Mark folder name above to see path Here!");
    for (int button :
         {IDC_FOLDERSRUN_CHANGE_PATH_BUTTON, IDC_FOLDERSRUN_DELETE_BUTTON, IDC_FOLDERSRUN_EDIT_BUTTON}) {
        EXPECT_FALSE(IsEnabled(Control(page_, button))) << button;
    }
    EXPECT_NE(SaveScreenshot(session_.MainWindow(), "folders-run-page").path, "");

    ASSERT_TRUE(SelectListEntry(page_, IDC_FOLDERSRUN_FOLDER_LIST, "Velmora e2e Folder"));
    EXPECT_EQ(TextOf(Control(page_, IDC_FOLDERSRUN_PATH_TEXT)), "C:\\e2e\\Folder");
    EXPECT_TRUE(IsEnabled(Control(page_, IDC_FOLDERSRUN_CHANGE_PATH_BUTTON)));
    ASSERT_TRUE(SelectListEntry(page_, IDC_FOLDERSRUN_AUTORUN_LIST, "Velmora e2e Two"));
    EXPECT_TRUE(IsEnabled(Control(page_, IDC_FOLDERSRUN_DELETE_BUTTON)));
    EXPECT_TRUE(IsEnabled(Control(page_, IDC_FOLDERSRUN_EDIT_BUTTON)));
    EXPECT_NE(SaveScreenshot(session_.MainWindow(), "folders-run-page-selected").path, "");
}

TEST_F(FolderRunPage, DeleteAfterYesRemovesOnlyThatValueAndRefreshesTheList) {
    Press(IDC_FOLDERSRUN_DELETE_BUTTON, "Velmora e2e One");
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
    Press(IDC_FOLDERSRUN_DELETE_BUTTON, "Velmora e2e One");
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDNO);
    ExpectRefilled();
    EXPECT_TRUE(Shows(autoruns_, "Velmora e2e One"));
    EXPECT_TRUE(RegistryUnchangedSince(before_));
}

TEST_F(FolderRunPage, DeletingAnEntryRemovedMeanwhileSaysSoAndDropsItFromTheList) {
    ASSERT_TRUE(RemoveValue(RootKey::CurrentUser, kRun, "Velmora e2e One"));
    Press(IDC_FOLDERSRUN_DELETE_BUTTON, "Velmora e2e One");
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDYES);
    const HWND box = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Error", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Couldn\xC2\xB4t remove Velmora e2e One");
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
    Press(IDC_FOLDERSRUN_DELETE_BUTTON, "Velmora e2e One");
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDYES);
    const HWND box = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Error", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "Couldn\xC2\xB4t remove Velmora e2e One\r\n\r\n"
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
    Press(IDC_FOLDERSRUN_EDIT_BUTTON, "Velmora e2e One");
    const HWND editor = WaitForTopLevelWindow({session_.ProcessId(), kAutorunEditor, "#32770"}, kWait);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_AUTORUNEDIT_NAME_EDIT)), "Velmora e2e One");
    EXPECT_EQ(TextOf(Control(editor, IDC_AUTORUNEDIT_COMMAND_EDIT)), "old");
    EXPECT_FALSE(IsEnabled(session_.MainWindow())) << "the editor is not modal to the main window";
    EXPECT_NE(SaveScreenshot(editor, "folders-run-autorun-editor").path, "");
    EXPECT_TRUE(CaptionsFit(editor));

    SendMessageA(Control(editor, IDC_AUTORUNEDIT_COMMAND_EDIT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("C:\\new.exe /q"));
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
    Press(IDC_FOLDERSRUN_EDIT_BUTTON, "Velmora e2e Two");
    const HWND editor = WaitForTopLevelWindow({session_.ProcessId(), kAutorunEditor, "#32770"}, kWait);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    ASSERT_TRUE(WaitForWindowGone(editor, kWait));
    ExpectRefilled();
    EXPECT_EQ(WaitForMessageBox(session_.ProcessId(), kImportant, Milliseconds(500)), nullptr);
    EXPECT_TRUE(RegistryUnchangedSince(before_));
}

TEST_F(FolderRunPage, OkAfterAFolderChangeAttemptOffersTheRestart) {
    ASSERT_TRUE(SelectListEntry(page_, IDC_FOLDERSRUN_FOLDER_LIST, "Velmora e2e Folder"));
    ASSERT_TRUE(PostClick(Control(page_, IDC_FOLDERSRUN_CHANGE_PATH_BUTTON)));
    const HWND editor = WaitForTopLevelWindow({session_.ProcessId(), kFolderEditor, "#32770"}, kWait);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_FOLDEREDIT_FOLDER_EDIT)), "Velmora e2e Folder");
    EXPECT_EQ(TextOf(Control(editor, IDC_FOLDEREDIT_PATH_EDIT)), "C:\\e2e\\Folder");
    EXPECT_NE(SaveScreenshot(editor, "folders-run-folder-editor").path, "");
    EXPECT_TRUE(CaptionsFit(editor));
    ASSERT_TRUE(PostClick(Control(editor, IDCANCEL)));
    ASSERT_TRUE(WaitForWindowGone(editor, kWait));
    EXPECT_TRUE(
        WaitUntil([&] { return !IsEnabled(Control(page_, IDC_FOLDERSRUN_CHANGE_PATH_BUTTON)); }, kWait));
    EXPECT_EQ(TextOf(Control(page_, IDC_FOLDERSRUN_PATH_TEXT)), "Mark folder name above to see path Here!");

    ASSERT_TRUE(PostClick(Control(session_.MainWindow(), IDOK)));
    const HWND restart = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Restart Windows?", kWait);
    ASSERT_NE(restart, nullptr) << "OK did not offer the restart";
    ASSERT_TRUE(AnswerMessageBox(restart, IDNO));
    ASSERT_TRUE(session_.WaitForExit());
    EXPECT_TRUE(RegistryUnchangedSince(before_));
}

// Names and texts outside the code page: Cyrillic and Polish letters, which a Western European Windows's
// ANSI calls turn into '?' and look-alikes ("Lukasz"), and two names that differ only in their accents.
// The same scenario runs in prefixes of code pages 1251 and 932 (ctest e2e_cp*), where other letters are
// the missing ones.
constexpr char kTest[] = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82";  // Тест
constexpr char kTestCommand[] =
    "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\app.exe";  // C:\Программы\app.exe
constexpr char kAccPlain[] = "AccPlain";
constexpr char kAccCommand[] = "C:\\Users\\\xC5\x81ukasz\\AppData\\Local\\acc\\tool.exe";  // Łukasz
constexpr char kLodzAccented[] =
    "\xC5\x81\xC3\xB3"
    "d\xC5\xBA";  // Łódź
constexpr char kLodzPlain[] =
    "L\xC3\xB3"
    "dz";  // Lódz
constexpr char kDesktopPath[] = "C:\\Users\\\xC5\x81ukasz\\Desktop";

class FolderRunPageText : public FolderRunPage {
  protected:
    void SetUp() override {
        // The prefix's code page, where a run asks for one: a prefix that did not get it proves nothing.
        if (const char* codePage = std::getenv("VELMORA_E2E_CODE_PAGE"); codePage != nullptr && *codePage) {
            ASSERT_EQ(std::to_string(GetACP()), codePage) << "the prefix has another ANSI code page";
        }
        ASSERT_TRUE(test_.Set(RegistryValue::String(kTestCommand)));
        ASSERT_TRUE(acc_.Set(RegistryValue::String(kAccCommand)));
        ASSERT_TRUE(accented_.Set(RegistryValue::String("one")));
        ASSERT_TRUE(plain_.Set(RegistryValue::String("two")));
        ASSERT_TRUE(desktop_.Set(RegistryValue::String(kDesktopPath)));
        FolderRunPage::SetUp();
    }

    HWND OpenEditor(const char* caption) {
        const HWND editor = WaitForTopLevelWindow({session_.ProcessId(), caption, "#32770"}, kWait);
        EXPECT_NE(editor, nullptr);
        return editor;
    }

    ScopedRegistryValue test_{RootKey::CurrentUser, kRun, kTest};
    ScopedRegistryValue acc_{RootKey::CurrentUser, kRun, kAccPlain};
    ScopedRegistryValue accented_{RootKey::CurrentUser, kRun, kLodzAccented};
    ScopedRegistryValue plain_{RootKey::CurrentUser, kRun, kLodzPlain};
    ScopedRegistryValue desktop_{RootKey::CurrentUser, kShellFolders, "Velmora e2e Desktop"};
};

TEST_F(FolderRunPageText, NamesOutsideTheCodePageAreListedEditedAndDeletedExactly) {
    for (const char* name : {kTest, kAccPlain, kLodzAccented, kLodzPlain}) {
        EXPECT_GE(ListBoxIndexOf(autoruns_, name), 0) << name;
    }
    const RegistrySnapshot prepared = RegistrySnapshot::Take(Keys());

    // The accented one goes, and only it.
    Press(IDC_FOLDERSRUN_DELETE_BUTTON, kLodzAccented);
    Answer("You're about to delete an AutoRun Program. Do you want to continue?", IDYES);
    ExpectRefilled();
    EXPECT_LT(ListBoxIndexOf(autoruns_, kLodzAccented), 0);
    EXPECT_GE(ListBoxIndexOf(autoruns_, kLodzPlain), 0);

    // The editor shows the command as it is, and what is added to it is stored with the rest intact.
    Press(IDC_FOLDERSRUN_EDIT_BUTTON, kTest);
    HWND editor = OpenEditor(kAutorunEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_AUTORUNEDIT_NAME_EDIT)), kTest);
    EXPECT_EQ(TextOf(Control(editor, IDC_AUTORUNEDIT_COMMAND_EDIT)), kTestCommand);
    ASSERT_TRUE(PostClick(Control(editor, IDCANCEL)));
    ASSERT_TRUE(WaitForWindowGone(editor, kWait));
    ExpectRefilled();
    Press(IDC_FOLDERSRUN_EDIT_BUTTON, kAccPlain);
    editor = OpenEditor(kAutorunEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_AUTORUNEDIT_COMMAND_EDIT)), kAccCommand);
    const std::string minimised = std::string(kAccCommand) + " /min";
    ASSERT_TRUE(SetTextOf(Control(editor, IDC_AUTORUNEDIT_COMMAND_EDIT), minimised));
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    Answer("You're about to change the searchpath for an AutoRun Program. Do you want to continue?", IDYES);
    ExpectRefilled();

    // A system folder under such a profile: shown, and changed, as it is.
    ASSERT_TRUE(SelectListEntry(page_, IDC_FOLDERSRUN_FOLDER_LIST, "Velmora e2e Desktop"));
    EXPECT_EQ(TextOf(Control(page_, IDC_FOLDERSRUN_PATH_TEXT)), kDesktopPath);
    ASSERT_TRUE(PostClick(Control(page_, IDC_FOLDERSRUN_CHANGE_PATH_BUTTON)));
    editor = OpenEditor(kFolderEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_FOLDEREDIT_PATH_EDIT)), kDesktopPath);
    const std::string moved = std::string(kDesktopPath) + " \xD0\x96";  // Ж
    ASSERT_TRUE(SetTextOf(Control(editor, IDC_FOLDEREDIT_PATH_EDIT), moved));
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    Answer("You're about to change the searchpath for a System Folder. Do you want to continue?", IDYES);
    EXPECT_TRUE(
        WaitUntil([&] { return !IsEnabled(Control(page_, IDC_FOLDERSRUN_CHANGE_PATH_BUTTON)); }, kWait));

    const RegistrySnapshot after = prepared.Again();
    EXPECT_TRUE(OnlyTheseChanged(
        prepared, after,
        ExpectedChanges(prepared, after)
            .Remove(RootKey::CurrentUser, kRun, kLodzAccented)
            .Set(RootKey::CurrentUser, kRun, kAccPlain, RegistryValue::String(minimised))
            .Set(RootKey::CurrentUser, kShellFolders, "Velmora e2e Desktop", RegistryValue::String(moved))));
    ASSERT_TRUE(PostClick(Control(session_.MainWindow(), IDCANCEL)));
    EXPECT_TRUE(session_.WaitForExit());
}

}  // namespace
}  // namespace velmora::e2e
