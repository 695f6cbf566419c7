// The companion and the pages together: a backup taken with velmora-cli, settings changed on four pages
// and applied, the changes listed by diff, and the backup imported with regedit, which leaves every key
// the program can change byte-identical to what the backup saw.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/CliProcess.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kVerb[] = "Unknown\\shell\\View With Notepad";

std::vector<RegistryLocation> Keys() {
    std::vector<RegistryLocation> keys = ProgramRegistryKeys();
    keys.push_back({RootKey::ClassesRoot, "Unknown\\shell"});
    return keys;
}

std::vector<std::string> Owners(const std::string& diff) {
    std::vector<std::string> owners;
    std::istringstream lines(diff);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != ' ') {
            owners.push_back(line);
        }
    }
    return owners;
}

TEST(CliRoundTrip, BackupChangeThroughThePagesImportAndCompare) {
    ScopedRegistryRestore restore(Keys());
    for (const char* value : {"NoFind", "NoNetHood", "NoFileMenu"}) {
        ASSERT_TRUE(RemoveValue(RootKey::CurrentUser, kPolicies, value));
    }
    ASSERT_TRUE(RemoveKeyTree(RootKey::ClassesRoot, kVerb));
    const std::string file = clitest::ScratchDirectory("roundtrip") + "\\before.reg";
    const clitest::ProcessResult backup = clitest::RunCli({"backup", file});
    ASSERT_EQ(backup.exitCode, 0u) << backup.err;
    const RegistrySnapshot before = RegistrySnapshot::Take(Keys());

    {
        // Windows 98, so that the Security page is there too.
        VelmoraSession session(WindowsVersion::Windows98);
        ASSERT_TRUE(session.Start());
        const HWND main = session.MainWindow();
        HostedSheet sheet(HostedSheet::Find(main));
        const struct {
            const char* page;
            int box;
        } clicks[] = {{"Start Menu", 1071}, {"Desktop", 1011}, {"Miscellaneous", 1043}, {"Security", 1045}};
        for (const auto& click : clicks) {
            const HWND page = sheet.SelectPage(click.page);
            ASSERT_NE(page, nullptr) << click.page;
            ASSERT_TRUE(Click(Control(page, click.box))) << click.page;
        }
        ASSERT_TRUE(Click(Control(main, main_window::kApply)));
        EXPECT_FALSE(IsEnabled(Control(main, main_window::kApply)));
        ASSERT_TRUE(PostClick(Control(main, main_window::kCancel)));
        ASSERT_TRUE(session.WaitForExit());
    }
    ASSERT_FALSE(RegistryUnchangedSince(before));

    const clitest::ProcessResult diff = clitest::RunCli({"diff", file});
    EXPECT_EQ(diff.exitCode, 1u) << diff.err;
    EXPECT_EQ(Owners(diff.out), (std::vector<std::string>{
                                    "Start Menu / Show Find",
                                    "Desktop / Show Network Neighborhood",
                                    "Miscellaneous / Show \"View With Notepad\"",
                                    "Security / Show File-Menu",
                                }))
        << diff.out;

    const clitest::ProcessResult imported = clitest::ImportWithRegedit(file);
    ASSERT_TRUE(imported.finished);
    EXPECT_EQ(imported.exitCode, 0u);
    EXPECT_TRUE(RegistryUnchangedSince(before));
    const clitest::ProcessResult after = clitest::RunCli({"diff", file});
    EXPECT_EQ(after.exitCode, 0u) << after.out;
    EXPECT_EQ(after.out, "No differences.\n");
}

}  // namespace
}  // namespace velmora::e2e
