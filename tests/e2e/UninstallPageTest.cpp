// The Add/Remove page in the running program: removing an entry after Yes deletes its key, the editor
// writes a changed description without a question, and an entry whose key refuses changes (as the
// machine-wide keys do on Windows Vista and later without an administrator's rights) says so.
#include <windows.h>

#include <gtest/gtest.h>

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
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr RootKey kHklm = RootKey::LocalMachine;
constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kEditorCaption[] = "Velmora 99 - Uninstall Command.";
constexpr char kAdministratorLine[] =
    "Only an administrator can make this change: start Velmora 99 with \"Run as administrator\".";

std::string PathOf(const std::string& subkey) {
    return std::string(kUninstall) + "\\" + subkey;
}

bool AddProgram(const std::string& subkey, const std::string& displayName, const std::string& command) {
    return WriteRawValue(kHklm, PathOf(subkey), "DisplayName", RegistryValue::String(displayName)) &&
           WriteRawValue(kHklm, PathOf(subkey), "UninstallString", RegistryValue::String(command));
}

class UninstallPage : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(AddProgram("VelmoraE2E-Keep", "Velmora E2E Kept Program", "C:\\keep\\uninst.exe"));
        ASSERT_TRUE(AddProgram("VelmoraE2E-Gone", "Velmora E2E Removed Program", "C:\\gone\\uninst.exe"));
        ASSERT_TRUE(session_.Start());
        const HWND sheet = HostedSheet::Find(session_.MainWindow());
        ASSERT_NE(sheet, nullptr);
        page_ = HostedSheet(sheet).SelectPage("Add/Remove");
        ASSERT_NE(page_, nullptr);
        list_ = Control(page_, IDC_ADDREMOVE_PROGRAM_LIST);
    }

    // Put back whatever the scenario added or removed below the Uninstall key.
    ScopedRegistryRestore restore_{{{kHklm, kUninstall}}};
    VelmoraSession session_{WindowsVersion::Nt};
    HWND page_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(UninstallPage, RemovingAnEntryAfterYesDeletesItsKeyAndNothingElse) {
    const RegistrySnapshot before = RegistrySnapshot::Take({{kHklm, kUninstall}});
    EXPECT_FALSE(IsEnabled(Control(page_, IDC_ADDREMOVE_REMOVE_BUTTON)));
    EXPECT_FALSE(IsEnabled(Control(page_, IDC_ADDREMOVE_EDIT_BUTTON)));
    ASSERT_TRUE(SelectListEntry(page_, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora E2E Removed Program"));
    ASSERT_TRUE(IsEnabled(Control(page_, IDC_ADDREMOVE_REMOVE_BUTTON)));
    EXPECT_TRUE(IsEnabled(Control(page_, IDC_ADDREMOVE_EDIT_BUTTON)));

    ASSERT_TRUE(PostClick(Control(page_, IDC_ADDREMOVE_REMOVE_BUTTON)));
    const HWND question =
        WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Velmora E2E Removed Program", kDeadline);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(
        MessageBoxText(question),
        "You will not be able to uninstall this program if you remove it from the Add/Remove list.\r\n\r\n"
        "Remove the entry anyway?");
    // No is the default button (Wine's message box does not report it through DM_GETDEFID).
    EXPECT_EQ(Style(Control(question, IDNO)) & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_EQ(Style(Control(question, IDYES)) & 0x0F, BS_PUSHBUTTON);
    SaveScreenshot(question, "add-remove-question");
    ASSERT_TRUE(AnswerMessageBox(question, IDYES));
    ASSERT_TRUE(Responds(session_.MainWindow()));

    EXPECT_FALSE(KeyPresent(kHklm, PathOf("VelmoraE2E-Gone")));
    EXPECT_EQ(ListBoxIndexOf(list_, "Velmora E2E Removed Program"), -1);
    EXPECT_GE(ListBoxIndexOf(list_, "Velmora E2E Kept Program"), 0);
    // The reloaded list has no selection; the buttons stay as they were.
    EXPECT_EQ(SendMessageA(list_, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_TRUE(IsEnabled(Control(page_, IDC_ADDREMOVE_REMOVE_BUTTON)));
    EXPECT_FALSE(IsEnabled(Control(session_.MainWindow(), IDC_MAIN_APPLY_BUTTON)));

    const RegistrySnapshot after = before.Again();
    EXPECT_TRUE(OnlyTheseChanged(before, after,
                                 ExpectedChanges(before, after).RemoveKey(kHklm, PathOf("VelmoraE2E-Gone"))));

    // Remove again with nothing selected: no question, no change.
    ASSERT_TRUE(Click(Control(page_, IDC_ADDREMOVE_REMOVE_BUTTON)));
    EXPECT_EQ(
        WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Velmora E2E Kept Program", Milliseconds(500)),
        nullptr);
    EXPECT_TRUE(KeyPresent(kHklm, PathOf("VelmoraE2E-Keep")));
}

TEST_F(UninstallPage, TheEditorWritesAChangedDescriptionWithoutAQuestion) {
    ASSERT_TRUE(SelectListEntry(page_, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora E2E Kept Program"));
    ASSERT_TRUE(PostClick(Control(page_, IDC_ADDREMOVE_EDIT_BUTTON)));
    WindowQuery query;
    query.processId = session_.ProcessId();
    query.caption = kEditorCaption;
    const HWND editor = WaitForTopLevelWindow(query, kDeadline);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_UNINSTALLEDIT_DESCRIPTION_EDIT)), "Velmora E2E Kept Program");
    EXPECT_EQ(TextOf(Control(editor, IDC_UNINSTALLEDIT_COMMAND_EDIT)), "C:\\keep\\uninst.exe");
    EXPECT_FALSE(IsEnabled(session_.MainWindow())) << "the editor is not modal to the program's window";
    SaveScreenshot(editor, "add-remove-editor");
    EXPECT_TRUE(CaptionsFit(editor));

    SendMessageA(Control(editor, IDC_UNINSTALLEDIT_DESCRIPTION_EDIT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("Velmora E2E Renamed Program"));
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    ASSERT_TRUE(WaitForWindowGone(editor, kDeadline));
    // Only the command asks; the description is written at once.
    EXPECT_EQ(WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Important", Milliseconds(500)), nullptr);
    ASSERT_TRUE(Responds(session_.MainWindow()));

    EXPECT_EQ(ReadRawValue(kHklm, PathOf("VelmoraE2E-Keep"), "DisplayName"),
              RegistryValue::String("Velmora E2E Renamed Program"));
    EXPECT_EQ(ReadRawValue(kHklm, PathOf("VelmoraE2E-Keep"), "UninstallString"),
              RegistryValue::String("C:\\keep\\uninst.exe"));
    EXPECT_GE(ListBoxIndexOf(list_, "Velmora E2E Renamed Program"), 0);
    EXPECT_FALSE(IsEnabled(Control(page_, IDC_ADDREMOVE_REMOVE_BUTTON)));
    EXPECT_FALSE(IsEnabled(Control(page_, IDC_ADDREMOVE_EDIT_BUTTON)));
}

TEST_F(UninstallPage, AnEditTheKeyRefusesSaysItNeedsAnAdministrator) {
    const std::string locked = PathOf("VelmoraE2E-Keep");
    const RegistrySnapshot before = RegistrySnapshot::Take({{kHklm, kUninstall}});
    ScopedKeyDenial denial(kHklm, locked);
    ASSERT_TRUE(denial.Ok()) << "the key's access list could not be replaced";

    // The editor's write: the setting pages' failure box, naming the entry by its key.
    ASSERT_TRUE(SelectListEntry(page_, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora E2E Kept Program"));
    ASSERT_TRUE(PostClick(Control(page_, IDC_ADDREMOVE_EDIT_BUTTON)));
    WindowQuery query;
    query.processId = session_.ProcessId();
    query.caption = kEditorCaption;
    const HWND editor = WaitForTopLevelWindow(query, Milliseconds(5000));
    ASSERT_NE(editor, nullptr);
    SendMessageA(Control(editor, IDC_UNINSTALLEDIT_DESCRIPTION_EDIT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("Velmora E2E Renamed Program"));
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    const HWND failure = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Error", Milliseconds(10000));
    ASSERT_NE(failure, nullptr);
    const std::string text = MessageBoxText(failure);
    EXPECT_TRUE(
        text.starts_with("This setting could not be saved:\r\n\r\nAdd/Remove: VelmoraE2E-Keep\r\n\r\n"))
        << text;
    EXPECT_NE(text.find("(error 5)\r\n\r\n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with(kAdministratorLine)) << text;
    SaveScreenshot(failure, "access-denied-edit");
    ASSERT_TRUE(AnswerMessageBox(failure, IDOK));

    ASSERT_TRUE(Responds(session_.MainWindow()));

    // Nothing was changed.
    EXPECT_TRUE(NothingChanged(before, before.Again()));
}

// An entry whose key, description and command hold letters outside the code page: Cyrillic ones, which a
// Western European Windows's ANSI calls turn into '?' (a key "Acc????" that cannot be opened), and Polish
// ones, which no code page of the text lanes (1252, 1251, 932) holds all of.
constexpr char kAccKey[] = "Acc\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3";  // AccПрог
constexpr char kAccName[] =
    "Acc \xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD0\xB0 "
    "\xC5\x81\xC3\xB3"
    "d\xC5\xBA";                                                             // Acc Программа Łódź
constexpr char kAccCommand[] = "C:\\Users\\\xC5\x81ukasz\\acc\\uninst.exe";  // Łukasz

class UninstallPageText : public UninstallPage {
  protected:
    void SetUp() override {
        ASSERT_TRUE(AddProgram(kAccKey, kAccName, kAccCommand));
        UninstallPage::SetUp();
    }

    HWND OpenEditor() {
        WindowQuery query;
        query.processId = session_.ProcessId();
        query.caption = kEditorCaption;
        return WaitForTopLevelWindow(query, kDeadline);
    }
};

TEST_F(UninstallPageText, AnEntryOutsideTheCodePageIsListedEditedAndRemovedExactly) {
    const RegistrySnapshot before = RegistrySnapshot::Take({{kHklm, kUninstall}});

    // The editor shows both texts as they are and writes the changed ones back to the entry's own key.
    ASSERT_TRUE(SelectListEntry(page_, IDC_ADDREMOVE_PROGRAM_LIST, kAccName));
    ASSERT_TRUE(PostClick(Control(page_, IDC_ADDREMOVE_EDIT_BUTTON)));
    const HWND editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_UNINSTALLEDIT_DESCRIPTION_EDIT)), kAccName);
    EXPECT_EQ(TextOf(Control(editor, IDC_UNINSTALLEDIT_COMMAND_EDIT)), kAccCommand);
    const std::string renamed = std::string(kAccName) + " \xD0\x96";      // Ж
    const std::string command = std::string(kAccCommand) + " /\xC5\x9B";  // ś
    ASSERT_TRUE(SetTextOf(Control(editor, IDC_UNINSTALLEDIT_DESCRIPTION_EDIT), renamed));
    ASSERT_TRUE(SetTextOf(Control(editor, IDC_UNINSTALLEDIT_COMMAND_EDIT), command));
    ASSERT_TRUE(PostClick(Control(editor, IDOK)));
    const HWND question = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - Important", kDeadline);
    ASSERT_NE(question, nullptr) << "the changed command was not asked about";
    ASSERT_TRUE(AnswerMessageBox(question, IDYES));
    ASSERT_TRUE(WaitForWindowGone(editor, kDeadline));
    ASSERT_TRUE(Responds(session_.MainWindow()));
    const RegistrySnapshot edited = before.Again();
    EXPECT_TRUE(OnlyTheseChanged(
        before, edited,
        ExpectedChanges(before, edited)
            .Set(kHklm, PathOf(kAccKey), "DisplayName", RegistryValue::String(renamed))
            .Set(kHklm, PathOf(kAccKey), "UninstallString", RegistryValue::String(command))));

    // Removed by its own key, which the question names by the description.
    EXPECT_LT(ListBoxIndexOf(list_, kAccName), 0);
    ASSERT_TRUE(SelectListEntry(page_, IDC_ADDREMOVE_PROGRAM_LIST, renamed));
    ASSERT_TRUE(PostClick(Control(page_, IDC_ADDREMOVE_REMOVE_BUTTON)));
    const HWND removal = WaitForMessageBox(session_.ProcessId(), "Velmora 99 - " + renamed, kDeadline);
    ASSERT_NE(removal, nullptr) << "no question naming the entry";
    ASSERT_TRUE(AnswerMessageBox(removal, IDYES));
    ASSERT_TRUE(Responds(session_.MainWindow()));
    EXPECT_LT(ListBoxIndexOf(list_, renamed), 0);
    EXPECT_GE(ListBoxIndexOf(list_, "Velmora E2E Kept Program"), 0);
    const RegistrySnapshot after = edited.Again();
    EXPECT_TRUE(
        OnlyTheseChanged(edited, after, ExpectedChanges(edited, after).RemoveKey(kHklm, PathOf(kAccKey))));
}

}  // namespace
}  // namespace velmora::e2e
