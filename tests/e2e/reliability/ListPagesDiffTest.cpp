// Whole-registry differences of the list pages: each operation (a system folder's path changed, Run
// entries edited and deleted in two sources, an Add/Remove entry's description and command edited and
// the entry removed, a New entry removed) changes exactly the value or key it names. The Folders/Run
// page has no way to add an entry: the scenario adds the entries it works on before the program starts.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/WindowState.h"
#include "tests/e2e/reliability/ProgramRun.h"

namespace velmora::e2e {
namespace {

// Sets the text of the edit `edit` in the editor that `button` opens, and confirms.
void EditAndConfirm(ProgramRun& run, HWND page, int button, const char* caption, int edit,
                    const std::string& text) {
    const HWND editor = OpenWindow(run, Control(page, button), caption);
    ASSERT_NE(editor, nullptr) << caption;
    ASSERT_TRUE(SetTextOf(Control(editor, edit), text));
    ASSERT_TRUE(CloseWindow(editor, IDOK));
    ASSERT_TRUE(Answer(run, kImportant, IDYES));
}

TEST(ListPagesDiff, FoldersRunOperationsChangeOnlyTheirOwnValues) {
    ScopedRegistryValue folder(kHkcu, kShellFolders, "Velmora e2e Folder");
    ScopedRegistryValue edited(kHkcu, kRun, "Velmora e2e Edited");
    ScopedRegistryValue deleted(kHkcu, kRun, "Velmora e2e Deleted");
    ScopedRegistryValue machine(kHklm, kRun, "Velmora e2e Machine");
    ASSERT_TRUE(folder.Set(RegistryValue::String("C:\\e2e\\Folder")));
    ASSERT_TRUE(edited.Set(RegistryValue::String("C:\\e2e\\edited.exe")));
    ASSERT_TRUE(deleted.Set(RegistryValue::String("C:\\e2e\\deleted.exe")));
    ASSERT_TRUE(machine.Set(RegistryValue::Dword(7)));
    ProgramRun run(WindowsVersion::Nt);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Folders/Run");
    ASSERT_NE(page, nullptr);

    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_FOLDER_LIST, "Velmora e2e Folder"));
    EditAndConfirm(run, page, IDC_FOLDERSRUN_CHANGE_PATH_BUTTON, "Velmora 99 - System Folders",
                   IDC_FOLDEREDIT_PATH_EDIT, "D:\\Other Place\\Folder");
    EXPECT_TRUE(run.OnlyChanged("Folders/Run", [](ExpectedChanges& expected) {
        expected.Set(kHkcu, kShellFolders, "Velmora e2e Folder",
                     RegistryValue::String("D:\\Other Place\\Folder"));
    }));

    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_AUTORUN_LIST, "Velmora e2e Edited"));
    EditAndConfirm(run, page, IDC_FOLDERSRUN_EDIT_BUTTON, "Velmora 99 - Autorun",
                   IDC_AUTORUNEDIT_COMMAND_EDIT, "C:\\e2e\\edited.exe /now");
    EXPECT_TRUE(run.OnlyChanged("Folders/Run", [](ExpectedChanges& expected) {
        expected.Set(kHkcu, kRun, "Velmora e2e Edited", RegistryValue::String("C:\\e2e\\edited.exe /now"));
    }));

    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_AUTORUN_LIST, "Velmora e2e Deleted"));
    ASSERT_TRUE(PostClick(Control(page, IDC_FOLDERSRUN_DELETE_BUTTON)));
    ASSERT_TRUE(Answer(run, kImportant, IDYES));
    EXPECT_TRUE(run.OnlyChanged("Folders/Run", [](ExpectedChanges& expected) {
        expected.Remove(kHkcu, kRun, "Velmora e2e Deleted");
    }));

    // The machine's Run key; a value that was not text becomes text.
    const HWND sources = Control(page, IDC_FOLDERSRUN_SOURCE_COMBO);
    SendMessageA(sources, CB_SETCURSEL, 1, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_FOLDERSRUN_SOURCE_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(sources));
    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_AUTORUN_LIST, "Velmora e2e Machine"));
    EditAndConfirm(run, page, IDC_FOLDERSRUN_EDIT_BUTTON, "Velmora 99 - Autorun",
                   IDC_AUTORUNEDIT_COMMAND_EDIT, "C:\\e2e\\machine.exe");
    EXPECT_TRUE(run.OnlyChanged("Folders/Run", [](ExpectedChanges& expected) {
        expected.Set(kHklm, kRun, "Velmora e2e Machine", RegistryValue::String("C:\\e2e\\machine.exe"));
    }));

    // Answered No: nothing.
    ASSERT_TRUE(SelectListEntry(page, IDC_FOLDERSRUN_AUTORUN_LIST, "Velmora e2e Machine"));
    ASSERT_TRUE(PostClick(Control(page, IDC_FOLDERSRUN_DELETE_BUTTON)));
    ASSERT_TRUE(Answer(run, kImportant, IDNO));
    EXPECT_TRUE(run.NothingChangedYet("Folders/Run"));
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

bool AddProgram(const std::string& subkey, const std::string& name, const std::string& command) {
    const std::string path = std::string(kUninstall) + "\\" + subkey;
    return WriteRawValue(kHklm, path, "DisplayName", RegistryValue::String(name)) &&
           WriteRawValue(kHklm, path, "UninstallString", RegistryValue::String(command));
}

TEST(ListPagesDiff, AddRemoveAndNewOperationsChangeOnlyTheirOwnValues) {
    const ScopedRegistryRestore restore(
        {{kHklm, kUninstall}, {kHkcr, ".velmorarel"}, {kHkcr, "VelmoraE2E.Rel"}});
    ASSERT_TRUE(AddProgram("VelmoraE2E-Edited", "Velmora E2E Edited", "C:\\rel\\uninst.exe"));
    ASSERT_TRUE(AddProgram("VelmoraE2E-Removed", "Velmora E2E Removed", "C:\\rel\\gone.exe"));
    ASSERT_TRUE(WriteRawValue(kHkcr, ".velmorarel", "", RegistryValue::String("VelmoraE2E.Rel")));
    ASSERT_TRUE(WriteRawValue(kHkcr, ".velmorarel\\ShellNew", "NullFile", RegistryValue::String("")));
    ASSERT_TRUE(WriteRawValue(kHkcr, "VelmoraE2E.Rel", "", RegistryValue::String("Velmora E2E Rel File")));
    ProgramRun run(WindowsVersion::Nt);
    ASSERT_TRUE(run.Start());
    const std::string edited = std::string(kUninstall) + "\\VelmoraE2E-Edited";
    HWND page = run.SelectPage("Add/Remove");
    ASSERT_NE(page, nullptr);

    // The command, after its question.
    ASSERT_TRUE(SelectListEntry(page, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora E2E Edited"));
    EditAndConfirm(run, page, IDC_ADDREMOVE_EDIT_BUTTON, "Velmora 99 - Uninstall Command.",
                   IDC_UNINSTALLEDIT_COMMAND_EDIT, "C:\\rel\\uninst.exe /quiet");
    EXPECT_TRUE(run.OnlyChanged("Add/Remove", [&](ExpectedChanges& expected) {
        expected.Set(kHklm, edited, "UninstallString", RegistryValue::String("C:\\rel\\uninst.exe /quiet"));
    }));

    // The description, without one.
    ASSERT_TRUE(SelectListEntry(page, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora E2E Edited"));
    const HWND editor =
        OpenWindow(run, Control(page, IDC_ADDREMOVE_EDIT_BUTTON), "Velmora 99 - Uninstall Command.");
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(SetTextOf(Control(editor, IDC_UNINSTALLEDIT_DESCRIPTION_EDIT), "Velmora E2E Renamed"));
    ASSERT_TRUE(CloseWindow(editor, IDOK));
    ASSERT_TRUE(Responds(run.Main()));
    EXPECT_TRUE(run.OnlyChanged("Add/Remove", [&](ExpectedChanges& expected) {
        expected.Set(kHklm, edited, "DisplayName", RegistryValue::String("Velmora E2E Renamed"));
    }));

    ASSERT_TRUE(SelectListEntry(page, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora E2E Removed"));
    ASSERT_TRUE(PostClick(Control(page, IDC_ADDREMOVE_REMOVE_BUTTON)));
    ASSERT_TRUE(Answer(run, "Velmora 99 - Velmora E2E Removed", IDYES));
    EXPECT_TRUE(run.OnlyChanged("Add/Remove", [](ExpectedChanges& expected) {
        expected.RemoveKey(kHklm, std::string(kUninstall) + "\\VelmoraE2E-Removed");
    }));

    page = run.SelectPage("New");
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(SelectListEntry(page, IDC_NEW_TYPE_LIST, "Velmora E2E Rel File"));
    ASSERT_TRUE(Click(Control(page, IDC_NEW_REMOVE_BUTTON)));
    EXPECT_TRUE(run.OnlyChanged(
        "New", [](ExpectedChanges& expected) { expected.RemoveKey(kHkcr, ".velmorarel\\ShellNew"); }));
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

}  // namespace
}  // namespace velmora::e2e
