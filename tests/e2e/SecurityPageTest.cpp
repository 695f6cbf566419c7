// The Security page in the running program (Windows 9x only): the autologon warning and the controls it
// switches, a stored logon that loads without counting as a change, and the Regedit notice.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "res/resource.h"
#include "tests/e2e/harness/FamilyMatrix.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kPageTitle[] = "Security";
constexpr char kLogon[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
constexpr char kSystemPolicies[] = ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// The three logon values and "DontDisplayLastUserName", put back when the scenario ends.
class ScopedLogon {
  public:
    ScopedLogon()
        : autoLogon_(RootKey::LocalMachine, kLogon, "AutoAdminLogon"),
          user_(RootKey::LocalMachine, kLogon, "DefaultUserName"),
          password_(RootKey::LocalMachine, kLogon, "DefaultPassword"),
          clearLastUser_(RootKey::LocalMachine, kLogon, "DontDisplayLastUserName") {}

    ScopedRegistryValue autoLogon_;
    ScopedRegistryValue user_;
    ScopedRegistryValue password_;
    ScopedRegistryValue clearLastUser_;
};

TEST(SecurityPage, CheckingAutologonWarnsThenUnchecksAndDisablesClearLastUser) {
    ScopedLogon logon;
    ASSERT_TRUE(logon.autoLogon_.Remove());
    ASSERT_TRUE(logon.clearLastUser_.Set(RegistryValue::String("1")));
    VelmoraSession session(WindowsVersion::Windows98);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = session.SelectPage(kPageTitle);
    ASSERT_NE(page, nullptr);
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
    const HWND clearLastUser = Control(page, IDC_SECURITY_CLEAR_LAST_USER_BOX);
    ASSERT_TRUE(IsChecked(clearLastUser));
    ASSERT_TRUE(IsEnabled(clearLastUser));
    EXPECT_FALSE(IsChecked(Control(page, IDC_SECURITY_AUTOLOGON_BOX)));
    EXPECT_FALSE(IsEnabled(Control(page, IDC_SECURITY_USER_NAME_EDIT)));
    EXPECT_FALSE(IsEnabled(Control(page, IDC_SECURITY_PASSWORD_EDIT)));
    EXPECT_TRUE(Style(Control(page, IDC_SECURITY_PASSWORD_EDIT)) & ES_PASSWORD);
    SaveScreenshot(main, "security-page-Windows98");

    ASSERT_TRUE(PostClick(Control(page, IDC_SECURITY_AUTOLOGON_BOX)));
    const HWND warning = WaitForMessageBox(session.ProcessId(), "Warning - Velmora 99", kDeadline);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(MessageBoxText(warning),
              "Warning: The Autologon Password is not encrypted. Any user with access to Regedit may alter "
              "it.\r\n\r\nAlso, Clear Last User at Logon will be disabled.");
    EXPECT_TRUE(HasButton(warning, IDOK));
    // The controls are switched before the warning shows.
    EXPECT_FALSE(IsEnabled(clearLastUser));
    EXPECT_TRUE(IsEnabled(Control(page, IDC_SECURITY_USER_NAME_EDIT)));
    EXPECT_TRUE(IsEnabled(apply));
    SaveScreenshot(warning, "security-autologon-warning");
    ASSERT_TRUE(AnswerMessageBox(warning, IDOK));
    ASSERT_TRUE(Responds(main));
    EXPECT_FALSE(IsChecked(clearLastUser));
    EXPECT_FALSE(IsEnabled(clearLastUser));
    EXPECT_TRUE(IsEnabled(Control(page, IDC_SECURITY_PASSWORD_EDIT)));
    SaveScreenshot(main, "security-autologon-checked");

    // Cancel drops it all.
    ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
    EXPECT_TRUE(session.WaitForExit());
    EXPECT_TRUE(RegistryUnchangedSince(before));
}

TEST(SecurityPage, AStoredLogonFillsTheFieldsWithoutCountingAsAChange) {
    ScopedLogon logon;
    // "2" is on but is not what the page writes, so a stray write of the logon would show.
    ASSERT_TRUE(logon.autoLogon_.Set(RegistryValue::String("2")));
    ASSERT_TRUE(logon.user_.Set(RegistryValue::String("anna")));
    ASSERT_TRUE(logon.password_.Set(RegistryValue::String("pw")));
    VelmoraSession session(WindowsVersion::Windows98);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    HostedSheet sheet(HostedSheet::Find(main));
    const HWND page = sheet.SelectPage(kPageTitle);
    ASSERT_NE(page, nullptr);
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
    EXPECT_TRUE(IsChecked(Control(page, IDC_SECURITY_AUTOLOGON_BOX)));
    EXPECT_EQ(TextOf(Control(page, IDC_SECURITY_USER_NAME_EDIT)), "anna");
    EXPECT_EQ(TextOf(Control(page, IDC_SECURITY_PASSWORD_EDIT)), "pw");
    EXPECT_FALSE(IsEnabled(Control(page, IDC_SECURITY_CLEAR_LAST_USER_BOX)));
    EXPECT_FALSE(IsEnabled(apply));
    SaveScreenshot(main, "security-stored-logon");

    // Leaving and coming back pushes the texts again; still no change.
    ASSERT_TRUE(sheet.Select(0));
    ASSERT_EQ(sheet.SelectPage(kPageTitle), page);
    EXPECT_FALSE(IsEnabled(apply));

    // Another row applied: only that row is written (here: nothing, it was not stored).
    ASSERT_TRUE(Click(Control(page, IDC_SECURITY_PRINTER_TABS_BOX)));
    ASSERT_TRUE(Click(Control(page, IDC_SECURITY_PRINTER_TABS_BOX)));
    ASSERT_TRUE(Click(apply));
    EXPECT_TRUE(RegistryUnchangedSince(before));

    ASSERT_TRUE(PostClick(Control(main, IDOK)));
    EXPECT_TRUE(session.WaitForExit());
}

TEST(SecurityPage, CheckingTheRegeditLockShowsTheNoticeBeforeApplyLightsUp) {
    ScopedRegistryValue lock(RootKey::Users, kSystemPolicies, "DisableRegistryTools");
    ASSERT_TRUE(lock.Remove());
    VelmoraSession session(WindowsVersion::Windows95);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = session.SelectPage(kPageTitle);
    ASSERT_NE(page, nullptr);
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);

    ASSERT_TRUE(PostClick(Control(page, IDC_SECURITY_REGEDIT_BOX)));
    const HWND notice = WaitForMessageBox(session.ProcessId(), "Velmora 99 - Important", kDeadline);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(MessageBoxText(notice),
              "You can still run Regedit by starting it from the Preferences page in Velmora 99");
    EXPECT_FALSE(IsEnabled(apply));
    ASSERT_TRUE(AnswerMessageBox(notice, IDOK));
    ASSERT_TRUE(Responds(main));
    EXPECT_TRUE(IsEnabled(apply));

    ASSERT_TRUE(Click(apply));
    EXPECT_EQ(ReadRawValue(RootKey::Users, kSystemPolicies, "DisableRegistryTools"), RegistryValue::Dword(1));
    if (ReadRawValue(RootKey::Users, kSystemPolicies, "DisableRegistryTools") == RegistryValue::Dword(1)) {
        NoteShown(session.Version(), "applied", "Security");
    }

    // Unchecking shows nothing.
    ASSERT_TRUE(Click(Control(page, IDC_SECURITY_REGEDIT_BOX)));
    EXPECT_TRUE(IsEnabled(apply));
    ASSERT_TRUE(Click(apply));
    EXPECT_EQ(ReadRawValue(RootKey::Users, kSystemPolicies, "DisableRegistryTools"), std::nullopt);

    // The lock needs no restart.
    ASSERT_TRUE(PostClick(Control(main, IDOK)));
    EXPECT_TRUE(session.WaitForExit());
}

TEST(SecurityPage, IsNotInTheSheetOnNt) {
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const auto titles = HostedSheet(HostedSheet::Find(session.MainWindow())).TabTitles();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(std::count(titles.begin(), titles.end(), kPageTitle), 0);
    ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDCANCEL)));
    EXPECT_TRUE(session.WaitForExit());
}

}  // namespace
}  // namespace velmora::e2e
