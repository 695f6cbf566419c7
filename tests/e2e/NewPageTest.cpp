// The New page in the running program: two selected entries are removed in one click, without a
// question, each by deleting its own "ShellNew" key.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness/ExpectedChanges.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr RootKey kHkcr = RootKey::ClassesRoot;

// One extension with "ShellNew" directly below it, one with it below its file type subkey.
constexpr char kDirectExtension[] = ".velmoraea";
constexpr char kDirectType[] = "VelmoraE2E.Alpha";
constexpr char kNestedExtension[] = ".velmoraeb";
constexpr char kNestedType[] = "VelmoraE2E.Beta";
// A third one that is not selected and stays.
constexpr char kOtherExtension[] = ".velmoraec";
constexpr char kOtherType[] = "VelmoraE2E.Gamma";

std::vector<RegistryLocation> ScenarioKeys() {
    return {{kHkcr, kDirectExtension}, {kHkcr, kDirectType},     {kHkcr, kNestedExtension},
            {kHkcr, kNestedType},      {kHkcr, kOtherExtension}, {kHkcr, kOtherType}};
}

bool SetDefault(const std::string& path, const std::string& text) {
    return WriteRawValue(kHkcr, path, "", RegistryValue::String(text));
}

bool MakeShellNew(const std::string& path) {
    return WriteRawValue(kHkcr, path + "\\ShellNew", "NullFile", RegistryValue::String(""));
}

TEST(NewPage, RemovingTwoSelectedEntriesDeletesBothShellNewKeysWithoutAQuestion) {
    const ScopedRegistryRestore restore(ScenarioKeys());
    ASSERT_TRUE(SetDefault(kDirectExtension, kDirectType));
    ASSERT_TRUE(SetDefault(kDirectType, "Velmora E2E Alpha File"));
    ASSERT_TRUE(MakeShellNew(kDirectExtension));
    ASSERT_TRUE(SetDefault(kNestedExtension, kNestedType));
    ASSERT_TRUE(SetDefault(kNestedType, "Velmora E2E Beta File"));
    ASSERT_TRUE(MakeShellNew(std::string(kNestedExtension) + "\\" + kNestedType));
    ASSERT_TRUE(SetDefault(kOtherExtension, kOtherType));
    ASSERT_TRUE(SetDefault(kOtherType, "Velmora E2E Gamma File"));
    ASSERT_TRUE(MakeShellNew(kOtherExtension));
    const RegistrySnapshot before = RegistrySnapshot::Take(ScenarioKeys());

    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const HWND sheet = HostedSheet::Find(session.MainWindow());
    ASSERT_NE(sheet, nullptr);
    const HWND page = HostedSheet(sheet).SelectPage("New");
    ASSERT_NE(page, nullptr);
    const HWND list = Control(page, IDC_NEW_TYPE_LIST);
    const HWND remove = Control(page, IDC_NEW_REMOVE_BUTTON);
    EXPECT_FALSE(IsEnabled(remove));

    const int alpha = ListBoxIndexOf(list, "Velmora E2E Alpha File");
    const int beta = ListBoxIndexOf(list, "Velmora E2E Beta File");
    ASSERT_GE(alpha, 0);
    ASSERT_GE(beta, 0);
    ASSERT_GE(ListBoxIndexOf(list, "Velmora E2E Gamma File"), 0);
    for (const int index : {alpha, beta}) {
        SendMessageA(list, LB_SETSEL, TRUE, index);
    }
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_NEW_TYPE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    ASSERT_TRUE(IsEnabled(remove));
    SaveScreenshot(session.MainWindow(), "new-two-selected");

    ASSERT_TRUE(PostClick(remove));
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(remove); }, kDeadline));
    EXPECT_EQ(WaitForMessageBox(session.ProcessId(), "Velmora 99 - Error", Milliseconds(500)), nullptr);
    ASSERT_TRUE(Responds(session.MainWindow()));

    const RegistrySnapshot after = before.Again();
    EXPECT_TRUE(
        OnlyTheseChanged(before, after,
                         ExpectedChanges(before, after)
                             .RemoveKey(RootKey::ClassesRoot, std::string(kDirectExtension) + "\\ShellNew")
                             .RemoveKey(RootKey::ClassesRoot,
                                        std::string(kNestedExtension) + "\\" + kNestedType + "\\ShellNew")));
    EXPECT_EQ(ListBoxIndexOf(list, "Velmora E2E Alpha File"), -1);
    EXPECT_EQ(ListBoxIndexOf(list, "Velmora E2E Beta File"), -1);
    EXPECT_GE(ListBoxIndexOf(list, "Velmora E2E Gamma File"), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsEnabled(Control(session.MainWindow(), IDC_MAIN_APPLY_BUTTON)));
}

// Entries whose extension, file type and description hold letters outside the code page (no code page of
// the text lanes, 1252, 1251 and 932, holds all of "Łódź" and Cyrillic), beside an extension that a
// Western European Windows's ANSI calls would take the accented one for (their best fit of "ł" is "l").
constexpr char kAccentedExtension[] = ".velmorae\xC5\x82";  // .velmoraeł
constexpr char kPlainExtension[] = ".velmorael";
constexpr char kTypedExtension[] = ".velmoraej";
constexpr char kTextType[] =
    "VelmoraE2E.\xC5\x81\xC3\xB3"
    "d\xC5\xBA";  // VelmoraE2E.Łódź
constexpr char kAccentedFile[] = "Velmora E2E \xD0\xA2\xD0\xB5\xD0\xBA\xD1\x81\xD1\x82";  // Velmora E2E Текст
constexpr char kTypedFile[] =
    "Velmora E2E \xC5\x81\xC3\xB3"
    "d\xC5\xBA \xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB";  // Velmora E2E Łódź Файл

TEST(NewPageText, EntriesOutsideTheCodePageAreListedAndRemovedExactly) {
    const std::vector<RegistryLocation> keys = {{kHkcr, kAccentedExtension}, {kHkcr, kPlainExtension},
                                                {kHkcr, kTypedExtension},    {kHkcr, kTextType},
                                                {kHkcr, kDirectType},        {kHkcr, kOtherType}};
    const ScopedRegistryRestore restore(keys);
    // The accented extension's "ShellNew" is directly below it, the typed one's below its file type.
    ASSERT_TRUE(SetDefault(kAccentedExtension, kDirectType));
    ASSERT_TRUE(SetDefault(kDirectType, kAccentedFile));
    ASSERT_TRUE(MakeShellNew(kAccentedExtension));
    ASSERT_TRUE(SetDefault(kPlainExtension, kOtherType));
    ASSERT_TRUE(SetDefault(kOtherType, "Velmora E2E Gamma File"));
    ASSERT_TRUE(MakeShellNew(kPlainExtension));
    ASSERT_TRUE(SetDefault(kTypedExtension, kTextType));
    ASSERT_TRUE(SetDefault(kTextType, kTypedFile));
    ASSERT_TRUE(MakeShellNew(std::string(kTypedExtension) + "\\" + kTextType));
    const RegistrySnapshot before = RegistrySnapshot::Take(keys);

    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const HWND page = session.SelectPage("New");
    ASSERT_NE(page, nullptr);
    const HWND list = Control(page, IDC_NEW_TYPE_LIST);
    const int accented = ListBoxIndexOf(list, kAccentedFile);
    const int typed = ListBoxIndexOf(list, kTypedFile);
    ASSERT_GE(accented, 0);
    ASSERT_GE(typed, 0);
    ASSERT_GE(ListBoxIndexOf(list, "Velmora E2E Gamma File"), 0);
    for (const int index : {accented, typed}) {
        SendMessageA(list, LB_SETSEL, TRUE, index);
    }
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_NEW_TYPE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    const HWND remove = Control(page, IDC_NEW_REMOVE_BUTTON);
    ASSERT_TRUE(IsEnabled(remove));
    ASSERT_TRUE(PostClick(remove));
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(remove); }, kDeadline));
    EXPECT_EQ(WaitForMessageBox(session.ProcessId(), "Velmora 99 - Error", Milliseconds(500)), nullptr);
    ASSERT_TRUE(Responds(session.MainWindow()));

    const RegistrySnapshot after = before.Again();
    EXPECT_TRUE(OnlyTheseChanged(
        before, after,
        ExpectedChanges(before, after)
            .RemoveKey(kHkcr, std::string(kAccentedExtension) + "\\ShellNew")
            .RemoveKey(kHkcr, std::string(kTypedExtension) + "\\" + kTextType + "\\ShellNew")));
    EXPECT_LT(ListBoxIndexOf(list, kAccentedFile), 0);
    EXPECT_LT(ListBoxIndexOf(list, kTypedFile), 0);
    EXPECT_GE(ListBoxIndexOf(list, "Velmora E2E Gamma File"), 0);
}

}  // namespace
}  // namespace velmora::e2e
