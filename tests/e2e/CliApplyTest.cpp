// The companion's apply, the whole round: a profile cut from `show --json` (one row of each setting page
// kept, its state changed), previewed with --dry-run (nothing changes anywhere in the registry), applied
// with a backup (exactly those rows change, and the window then shows them), and the backup imported with
// regedit. Then a machine-wide policy that overrides a user's box, through show, the window's Apply and
// apply.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "settings/Locations.h"
#include "tests/cli/CliProcess.h"
#include "tests/cli/RestoredRegistry.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WholeRegistry.h"
#include "tests/e2e/harness/WindowState.h"
#include "tests/e2e/harness/WindowsVersion.h"

namespace velmora::e2e {
namespace {

constexpr const char* kPolicies = keys::kExplorerPolicies;

struct Row {
    const char* page;
    int box;
};

// The lines of `show --json` for the rows asked for, each with its check box's state turned over, as a
// profile of those rows alone: the rows a user did not want are deleted.
std::string ProfileTurningOver(const std::string& shown, const std::vector<Row>& rows) {
    std::istringstream in(shown);
    std::vector<std::string> kept;
    for (std::string line; std::getline(in, line);) {
        for (const Row& row : rows) {
            if (line.find(std::string("{\"page\": \"") + row.page + "\"") == std::string::npos ||
                line.find("\"control\": " + std::to_string(row.box) + ",") == std::string::npos) {
                continue;
            }
            for (const auto& [from, to] : {std::pair{"\"state\": \"checked\"", "\"state\": \"unchecked\""},
                                           std::pair{"\"state\": \"unchecked\"", "\"state\": \"checked\""}}) {
                if (const std::size_t at = line.find(from); at != std::string::npos) {
                    line.replace(at, std::string(from).size(), to);
                    break;
                }
            }
            kept.push_back(line.substr(0, line.find_last_of('}') + 1));
        }
    }
    std::string profile = "{\n  \"settings\": [\n";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        profile += kept[i] + (i + 1 < kept.size() ? ",\n" : "\n");
    }
    return profile + "  ]\n}\n";
}

std::string WriteProfile(const std::string& directory, const std::string& text) {
    const std::string path = directory + "\\profile.json";
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    return path;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(CliApply, AProfilePreviewedAppliedShownByTheWindowAndUndoneByItsBackup) {
    ScopedRegistryRestore restore(ProgramRegistryKeys());
    // Windows 98, so that the Security page is there too.
    ScopedWindowsVersion windows98(WindowsVersion::Windows98);
    const std::vector<Row> rows = {{"Start Menu", IDC_STARTMENU_SHOW_FIND_BOX},
                                   {"Desktop", IDC_DESKTOP_SHOW_NET_HOOD_BOX},
                                   {"Miscellaneous", IDC_MISC_VIEW_WITH_NOTEPAD_BOX},
                                   {"Security", IDC_SECURITY_FILE_MENU_BOX}};
    // The rows' places as a fresh Windows has them: no policy values, no verb.
    ASSERT_TRUE(RemoveKeyTree(RootKey::CurrentUser, kPolicies));
    ASSERT_TRUE(RemoveKeyTree(RootKey::ClassesRoot, "Unknown\\shell\\View With Notepad"));
    const clitest::ProcessResult shown = clitest::RunCli({"show", "--json"});
    ASSERT_EQ(shown.exitCode, 0u) << shown.err;
    const std::string directory = clitest::ScratchDirectory("apply");
    const std::string profileText = ProfileTurningOver(shown.out, rows);
    ASSERT_EQ(Count(profileText, "\"page\""), rows.size()) << profileText;
    const std::string profile = WriteProfile(directory, profileText);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    const capture::RegistryCapture whole = CaptureWholeRegistry();

    const clitest::ProcessResult preview = clitest::RunCli({"apply", "--dry-run", profile});
    EXPECT_EQ(preview.exitCode, 0u) << preview.out << preview.err;
    EXPECT_EQ(Count(preview.out, ": would change\n"), rows.size()) << preview.out;
    EXPECT_NE(preview.out.find("4 settings would change; nothing was written (--dry-run).\n"),
              std::string::npos);
    EXPECT_EQ(capture::ChangedLines(whole, CaptureWholeRegistry()), std::vector<std::string>{});
    std::cout << "velmora-cli apply --dry-run:\n" << preview.out;

    const std::string backup = directory + "\\before.reg";
    const clitest::ProcessResult applied = clitest::RunCli({"apply", "--backup", backup, profile});
    EXPECT_EQ(applied.exitCode, 0u) << applied.out << applied.err;
    EXPECT_EQ(Count(applied.out, ": changed\n"), rows.size()) << applied.out;
    EXPECT_NE(applied.out.find("Windows must be restarted"), std::string::npos) << applied.out;
    std::cout << "velmora-cli apply --backup:\n" << applied.out;
    // Exactly the four rows changed: diff against the backup names them and nothing else.
    const clitest::ProcessResult diff = clitest::RunCli({"diff", backup});
    EXPECT_EQ(diff.exitCode, 1u) << diff.err;
    EXPECT_EQ(clitest::Owners(diff.out), (std::vector<std::string>{
                                             "Start Menu / Show Find",
                                             "Desktop / Show Network Neighborhood",
                                             "Miscellaneous / Show \"View With Notepad\"",
                                             "Security / Show File-Menu",
                                         }))
        << diff.out;

    {
        // The window loads what apply wrote: each box as the profile has it.
        VelmoraSession session(WindowsVersion::Windows98);
        ASSERT_TRUE(session.Start());
        HostedSheet sheet(HostedSheet::Find(session.MainWindow()));
        for (const Row& row : rows) {
            const HWND page = sheet.SelectPage(row.page);
            ASSERT_NE(page, nullptr) << row.page;
            const std::string caption = std::string("\"control\": ") + std::to_string(row.box) + ",";
            const std::size_t line = profileText.find(caption);
            const bool checked = profileText.find("\"state\": \"checked\"", line) <
                                 profileText.find("\"state\": \"unchecked\"", line);
            EXPECT_EQ(IsChecked(Control(page, row.box)), checked) << row.page;
        }
        ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDCANCEL)));
        ASSERT_TRUE(session.WaitForExit());
    }

    // The backup of just those values puts them back.
    const clitest::ProcessResult imported = clitest::ImportWithRegedit(backup);
    ASSERT_TRUE(imported.finished);
    EXPECT_EQ(imported.exitCode, 0u);
    EXPECT_EQ(clitest::ChangesBesidesEmptyKeys(before), std::vector<std::string>{});
}

TEST(CliApply, AMachineWidePolicyThatOverridesTheUsersBoxIsSaidEverywhere) {
    std::vector<RegistryLocation> keys = ProgramRegistryKeys();
    ScopedRegistryRestore restore(keys);
    ScopedWindowsVersion nt(WindowsVersion::Nt);
    // The machine hides Network Neighborhood; the user has no value of their own.
    ASSERT_TRUE(RemoveKeyTree(RootKey::CurrentUser, kPolicies));
    ASSERT_TRUE(WriteRawValue(RootKey::LocalMachine, kPolicies, "NoNetHood", RegistryValue::Dword(1)));

    const clitest::ProcessResult shown = clitest::RunCli({"show", "--json"});
    ASSERT_EQ(shown.exitCode, 0u) << shown.err;
    EXPECT_NE(shown.out.find("\"control\": " + std::to_string(IDC_DESKTOP_SHOW_NET_HOOD_BOX) +
                             ", \"loaded\": true, \"state\": \"checked\", \"effective\": \"unchecked\", "
                             "\"source\": \"machine policy\""),
              std::string::npos)
        << shown.out;

    const std::string note = "Desktop: Show Network Neighborhood (Windows uses: unchecked)";
    const std::string where = std::string("kept in HKEY_LOCAL_MACHINE\\") + kPolicies + ".";
    {
        // The window's Apply writes the box for the user, then says Windows will not use it.
        VelmoraSession session(WindowsVersion::Nt);
        ASSERT_TRUE(session.Start());
        HostedSheet sheet(HostedSheet::Find(session.MainWindow()));
        const HWND desktop = sheet.SelectPage("Desktop");
        ASSERT_NE(desktop, nullptr);
        ASSERT_TRUE(IsChecked(Control(desktop, IDC_DESKTOP_SHOW_NET_HOOD_BOX)));
        ASSERT_TRUE(Click(Control(desktop, IDC_DESKTOP_SHOW_NET_HOOD_BOX)));
        ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDC_MAIN_APPLY_BUTTON)));
        const HWND box =
            WaitForMessageBox(session.ProcessId(), "Velmora 99 - Machine-wide policy", kDeadline);
        ASSERT_NE(box, nullptr);
        const std::string text = MessageBoxText(box);
        EXPECT_NE(text.find(note), std::string::npos) << text;
        EXPECT_NE(text.find(where), std::string::npos) << text;
        ASSERT_TRUE(AnswerMessageBox(box, IDOK));
        ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDCANCEL)));
        ASSERT_TRUE(session.WaitForExit());
    }
    EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, kPolicies, "NoNetHood"),
              RegistryValue::Binary({1, 0, 0, 0}));

    // apply, turning the box back: written, and named as overridden.
    const clitest::ProcessResult again = clitest::RunCli({"show", "--json"});
    const std::string profile =
        WriteProfile(clitest::ScratchDirectory("apply-policy"),
                     ProfileTurningOver(again.out, {{"Desktop", IDC_DESKTOP_SHOW_NET_HOOD_BOX}}));
    const clitest::ProcessResult applied = clitest::RunCli({"apply", profile});
    EXPECT_EQ(applied.exitCode, 0u) << applied.out << applied.err;
    EXPECT_NE(applied.out.find("Desktop / Show Network Neighborhood: unchecked -> checked: changed\n"),
              std::string::npos)
        << applied.out;
    EXPECT_NE(applied.out.find(note), std::string::npos) << applied.out;
    EXPECT_NE(applied.out.find(where), std::string::npos) << applied.out;
    EXPECT_FALSE(ReadRawValue(RootKey::CurrentUser, kPolicies, "NoNetHood").has_value());
}

}  // namespace
}  // namespace velmora::e2e
