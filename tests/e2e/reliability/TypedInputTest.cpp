// What the user types or pastes, end to end: 32 KiB pasted through the clipboard, the same put in whole
// by WM_SETTEXT, and a short text full of quotes, percent signs, backslashes and ANSI characters above
// 127 typed over the selection, into every edit whose text the program writes. Each is stored byte for
// byte as the edit holds it; the edits set no limit of their own, so a paste or a typed replacement
// stops at the edit control's default limit and WM_SETTEXT does not. Nothing else in the registry may
// change. The same kind of texts stored by another program show exactly in the lists, edits and message
// captions that show them.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ReliabilityCounts.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/WindowState.h"
#include "tests/e2e/reliability/ProgramRun.h"
#include "text/Utf.h"
#include "text/win32/SystemText.h"

namespace velmora::e2e {
namespace {

// Quotes, percent signs as a format would read them, backslashes, and e acute, u umlaut and pound.
const std::string kAwkward =
    "\"Quoted\" 100% %s%s%n %1 %% C:\\dir\\ \\\\server\\share \xC3\xA9\xC3\xBC\xC2\xA3";

std::string ThirtyTwoKiB() {
    const std::string piece = "Velmora \"paste\" 100% %s \\ \xC3\xA9\xC3\xBC\xC2\xA3 | ";
    std::string text;
    while (text.size() < 32 * 1024) {
        text += piece;
    }
    // 32 Ki characters, as the edits count them.
    return std::string(text::FirstUnits(text, 32 * 1024));
}

enum class Way { kPaste, kSetText, kTypeOver };

const char* Name(Way way) {
    return way == Way::kPaste ? "paste" : way == Way::kSetText ? "WM_SETTEXT" : "EM_REPLACESEL";
}

// Puts the text in the way given and returns what the edit must hold afterwards.
std::string Enter(HWND edit, Way way) {
    const std::string text = way == Way::kTypeOver ? kAwkward : ThirtyTwoKiB();
    // The limit counts characters (UTF-16 units), and so does what an edit keeps of a longer text.
    const std::size_t limit = static_cast<std::size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    switch (way) {
        case Way::kPaste:
            EXPECT_TRUE(Paste(edit, text));
            return std::string(text::FirstUnits(text, limit));
        case Way::kSetText:
            EXPECT_TRUE(SetTextOf(edit, text));
            return text;
        case Way::kTypeOver: {
            const std::wstring wide = text::Wide(text);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
            return std::string(text::FirstUnits(text, limit));
        }
    }
    return {};
}

constexpr Way kWays[] = {Way::kPaste, Way::kSetText, Way::kTypeOver};

// Opens the editor of the selected line, enters the text into `editId`, confirms (answering the question
// when one comes) and returns what must have been stored.
std::string EnterInEditor(ProgramRun& run, HWND page, int listId, const std::string& line, int button,
                          const char* caption, int editId, Way way, bool asks) {
    EXPECT_TRUE(SelectListEntry(page, listId, line)) << line;
    const HWND editor = OpenWindow(run, Control(page, button), caption);
    if (editor == nullptr) {
        ADD_FAILURE() << caption << " did not open";
        return {};
    }
    const std::string expected = Enter(Control(editor, editId), way);
    EXPECT_EQ(TextOf(Control(editor, editId)), expected) << Name(way);
    EXPECT_TRUE(CloseWindow(editor, IDOK));
    if (asks) {
        EXPECT_TRUE(Answer(run, kImportant, IDYES));
    }
    EXPECT_TRUE(Responds(run.Main()));
    return expected;
}

bool AddProgram(const std::string& subkey, const std::string& name, const std::string& command) {
    const std::string path = std::string(kUninstall) + "\\" + subkey;
    return WriteRawValue(kHklm, path, "DisplayName", RegistryValue::String(name)) &&
           WriteRawValue(kHklm, path, "UninstallString", RegistryValue::String(command));
}

TEST(TypedInput, ListPageEditorsStoreWhatTheEditHolds) {
    ScopedRegistryValue folder(kHkcu, kShellFolders, "Velmora e2e Typed Folder");
    ScopedRegistryValue autorun(kHkcu, kRun, "Velmora e2e Typed");
    ASSERT_TRUE(folder.Set(RegistryValue::String("C:\\typed")));
    ASSERT_TRUE(autorun.Set(RegistryValue::String("C:\\typed.exe")));
    const ScopedRegistryRestore restore({{kHklm, kUninstall}});
    ASSERT_TRUE(AddProgram("VelmoraE2E-TypedCommand", "Velmora E2E Typed Command", "C:\\typed\\u.exe"));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(AddProgram("VelmoraE2E-Typed" + std::to_string(i),
                               "Velmora E2E Typed " + std::to_string(i), "C:\\typed\\u.exe"));
    }
    ProgramRun run(WindowsVersion::Nt);
    ASSERT_TRUE(run.Start());

    HWND page = run.SelectPage("Folders/Run");
    ASSERT_NE(page, nullptr);
    for (const Way way : kWays) {
        const std::string stored =
            EnterInEditor(run, page, IDC_FOLDERSRUN_FOLDER_LIST, "Velmora e2e Typed Folder",
                          IDC_FOLDERSRUN_CHANGE_PATH_BUTTON, "Velmora 99 - System Folders",
                          IDC_FOLDEREDIT_PATH_EDIT, way, true);
        EXPECT_TRUE(run.OnlyChanged(
            "Folders/Run",
            [&](ExpectedChanges& expected) {
                expected.Set(kHkcu, kShellFolders, "Velmora e2e Typed Folder", RegistryValue::String(stored));
            },
            kTypedInputs))
            << "folder path, " << Name(way);
    }
    for (const Way way : kWays) {
        const std::string stored = EnterInEditor(run, page, IDC_FOLDERSRUN_AUTORUN_LIST, "Velmora e2e Typed",
                                                 IDC_FOLDERSRUN_EDIT_BUTTON, "Velmora 99 - Autorun",
                                                 IDC_AUTORUNEDIT_COMMAND_EDIT, way, true);
        EXPECT_TRUE(run.OnlyChanged(
            "Folders/Run",
            [&](ExpectedChanges& expected) {
                expected.Set(kHkcu, kRun, "Velmora e2e Typed", RegistryValue::String(stored));
            },
            kTypedInputs))
            << "autorun command, " << Name(way);
    }

    page = run.SelectPage("Add/Remove");
    ASSERT_NE(page, nullptr);
    for (const Way way : kWays) {
        const std::string stored = EnterInEditor(
            run, page, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora E2E Typed Command", IDC_ADDREMOVE_EDIT_BUTTON,
            "Velmora 99 - Uninstall Command.", IDC_UNINSTALLEDIT_COMMAND_EDIT, way, true);
        EXPECT_TRUE(run.OnlyChanged(
            "Add/Remove",
            [&](ExpectedChanges& expected) {
                expected.Set(kHklm, std::string(kUninstall) + "\\VelmoraE2E-TypedCommand", "UninstallString",
                             RegistryValue::String(stored));
            },
            kTypedInputs))
            << "uninstall command, " << Name(way);
    }
    // A description renames the line, so each way works on an entry of its own.
    int entry = 0;
    for (const Way way : kWays) {
        const std::string name = "Velmora E2E Typed " + std::to_string(entry);
        const std::string stored =
            EnterInEditor(run, page, IDC_ADDREMOVE_PROGRAM_LIST, name, IDC_ADDREMOVE_EDIT_BUTTON,
                          "Velmora 99 - Uninstall Command.", IDC_UNINSTALLEDIT_DESCRIPTION_EDIT, way, false);
        EXPECT_TRUE(run.OnlyChanged(
            "Add/Remove",
            [&](ExpectedChanges& expected) {
                expected.Set(kHklm, std::string(kUninstall) + "\\VelmoraE2E-Typed" + std::to_string(entry),
                             "DisplayName", RegistryValue::String(stored));
            },
            kTypedInputs))
            << "uninstall description, " << Name(way);
        ++entry;
    }
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

TEST(TypedInput, StartMenuDelayStoresWhatTheEditHolds) {
    ScopedRegistryValue delay(kHkcu, "Control Panel\\Desktop", "MenuShowDelay");
    ASSERT_TRUE(delay.Set(RegistryValue::String(kAwkward)));
    ProgramRun run(WindowsVersion::Nt);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Start Menu");
    ASSERT_NE(page, nullptr);
    // Shown as stored.
    EXPECT_EQ(TextOf(Control(page, IDC_STARTMENU_DELAY_EDIT)), kAwkward);
    CountScenario("Start Menu", kTypedInputs);
    for (const Way way : kWays) {
        const std::string stored = Enter(Control(page, IDC_STARTMENU_DELAY_EDIT), way);
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged(
            "Start Menu",
            [&](ExpectedChanges& expected) {
                expected.Set(kHkcu, "Control Panel\\Desktop", "MenuShowDelay", RegistryValue::String(stored));
            },
            kTypedInputs))
            << Name(way);
    }
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

TEST(TypedInput, AutologonEditsStoreWhatTheEditsHold) {
    ScopedRegistryValue autoLogon(kHklm, kLogon, "AutoAdminLogon");
    ScopedRegistryValue user(kHklm, kLogon, "DefaultUserName");
    ScopedRegistryValue password(kHklm, kLogon, "DefaultPassword");
    ASSERT_TRUE(autoLogon.Set(RegistryValue::String("1")));
    ASSERT_TRUE(user.Set(RegistryValue::String(kAwkward)));
    ASSERT_TRUE(password.Set(RegistryValue::String(kAwkward + "pw")));
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Security");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TextOf(Control(page, IDC_SECURITY_USER_NAME_EDIT)), kAwkward);
    EXPECT_EQ(TextOf(Control(page, IDC_SECURITY_PASSWORD_EDIT)), kAwkward + "pw");
    CountScenario("Security", kTypedInputs, 2);
    for (const int edit : {IDC_SECURITY_USER_NAME_EDIT, IDC_SECURITY_PASSWORD_EDIT}) {
        for (const Way way : kWays) {
            // The other edit back to its stored text, so that only this one differs.
            ASSERT_TRUE(
                SetTextOf(Control(page, edit == IDC_SECURITY_USER_NAME_EDIT ? IDC_SECURITY_PASSWORD_EDIT
                                                                            : IDC_SECURITY_USER_NAME_EDIT),
                          edit == IDC_SECURITY_USER_NAME_EDIT ? kAwkward + "pw" : kAwkward));
            const std::string stored = Enter(Control(page, edit), way);
            ASSERT_TRUE(run.Apply());
            EXPECT_TRUE(run.OnlyChanged(
                "Security",
                [&](ExpectedChanges& expected) {
                    expected.Set(kHklm, kLogon,
                                 edit == IDC_SECURITY_USER_NAME_EDIT ? "DefaultUserName" : "DefaultPassword",
                                 RegistryValue::String(stored));
                },
                kTypedInputs))
                << edit << " " << Name(way);
        }
    }
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

// Names and texts another program stored, shown where the program shows them.
TEST(TypedInput, AwkwardStoredTextsShowExactly) {
    ScopedRegistryValue folder(kHkcu, kShellFolders, kAwkward);
    ScopedRegistryValue autorun(kHkcu, kRun, kAwkward);
    ASSERT_TRUE(folder.Set(RegistryValue::String(kAwkward + "\\folder")));
    ASSERT_TRUE(autorun.Set(RegistryValue::String(kAwkward + " /run")));
    const ScopedRegistryRestore restore(
        {{kHklm, kUninstall}, {kHkcr, ".velmoratyped"}, {kHkcr, "VelmoraE2E.Typed"}});
    ASSERT_TRUE(AddProgram("VelmoraE2E-Awkward", kAwkward, kAwkward + " /uninstall"));
    ASSERT_TRUE(WriteRawValue(kHkcr, ".velmoratyped", "", RegistryValue::String("VelmoraE2E.Typed")));
    ASSERT_TRUE(WriteRawValue(kHkcr, ".velmoratyped\\ShellNew", "NullFile", RegistryValue::String("")));
    ASSERT_TRUE(WriteRawValue(kHkcr, "VelmoraE2E.Typed", "", RegistryValue::String(kAwkward)));
    ProgramRun run(WindowsVersion::Nt);
    ASSERT_TRUE(run.Start());

    HWND page = run.SelectPage("Folders/Run");
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_FOLDER_LIST, kAwkward));
    EXPECT_EQ(TextOf(Control(page, IDC_FOLDERSRUN_PATH_TEXT)), kAwkward + "\\folder");
    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_AUTORUN_LIST, kAwkward));
    HWND editor = OpenWindow(run, Control(page, IDC_FOLDERSRUN_EDIT_BUTTON), "Velmora 99 - Autorun");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_AUTORUNEDIT_NAME_EDIT)), kAwkward);
    EXPECT_EQ(TextOf(Control(editor, IDC_AUTORUNEDIT_COMMAND_EDIT)), kAwkward + " /run");
    ASSERT_TRUE(CloseWindow(editor, IDCANCEL));
    // Removed behind the program's back: the failure names it exactly.
    ASSERT_TRUE(RemoveValue(kHkcu, kRun, kAwkward));
    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_AUTORUN_LIST, kAwkward));
    ASSERT_TRUE(PostClick(Control(page, IDC_FOLDERSRUN_DELETE_BUTTON)));
    ASSERT_TRUE(Answer(run, kImportant, IDYES));
    const HWND failure = WaitForMessageBox(run.ProcessId(), "Velmora 99 - Error", kDeadline);
    ASSERT_NE(failure, nullptr);
    EXPECT_EQ(MessageBoxText(failure), "Couldn\xC2\xB4t remove " + kAwkward);
    ASSERT_TRUE(AnswerMessageBox(failure, IDOK));
    EXPECT_TRUE(run.OnlyChanged(
        "Folders/Run", [](ExpectedChanges& expected) { expected.Remove(kHkcu, kRun, kAwkward); },
        kTypedInputs));

    page = run.SelectPage("Add/Remove");
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(SelectListEntry(page, IDC_ADDREMOVE_PROGRAM_LIST, kAwkward));
    ASSERT_TRUE(PostClick(Control(page, IDC_ADDREMOVE_REMOVE_BUTTON)));
    ASSERT_TRUE(Answer(run, "Velmora 99 - " + kAwkward, IDNO));
    ASSERT_TRUE(SelectListEntry(page, IDC_ADDREMOVE_PROGRAM_LIST, kAwkward));
    editor = OpenWindow(run, Control(page, IDC_ADDREMOVE_EDIT_BUTTON), "Velmora 99 - Uninstall Command.");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(Control(editor, IDC_UNINSTALLEDIT_DESCRIPTION_EDIT)), kAwkward);
    EXPECT_EQ(TextOf(Control(editor, IDC_UNINSTALLEDIT_COMMAND_EDIT)), kAwkward + " /uninstall");
    ASSERT_TRUE(CloseWindow(editor, IDCANCEL));
    EXPECT_TRUE(run.NothingChangedYet("Add/Remove", kTypedInputs));

    page = run.SelectPage("New");
    ASSERT_NE(page, nullptr);
    EXPECT_GE(ListBoxIndexOf(Control(page, IDC_NEW_TYPE_LIST), kAwkward), 0);
    EXPECT_TRUE(run.NothingChangedYet("New", kTypedInputs));
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

}  // namespace
}  // namespace velmora::e2e
