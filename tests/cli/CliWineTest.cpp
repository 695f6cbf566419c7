// velmora-cli.exe under Wine, on the prefix's real registry: show against the page models, a backup
// restored by regedit leaving every backed-up key byte-identical, diff before and after, bad command lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/core/Show.h"
#include "settings/Locations.h"
#include "system/win32/Win32Services.h"
#include "tests/cli/CliProcess.h"
#include "tests/cli/RestoredRegistry.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"

namespace velmora::clitest {
namespace {

using e2e::RegistryLocation;
using e2e::RegistryValue;

constexpr RootKey kHkcr = RootKey::ClassesRoot;
constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;
const std::string kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string kPolicies = keys::kExplorerPolicies;
const std::string kRun = kCurrentVersion + "\\Run";
const std::string kEntry = kCurrentVersion + "\\Uninstall\\VelmoraCliTest";
const std::string kVerb = "Unknown\\shell\\View With Notepad";
const std::string kMyComputerOpen = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open";

// Every key the scenarios prepare or change, put back as it was after each one.
const std::vector<RegistryLocation> kTouched = {
    {kHkcu, kCurrentVersion + "\\Policies", true},
    {kHkcu, "Control Panel\\Desktop", true},
    {kHkcu, kRun, true},
    {kHklm, kCurrentVersion + "\\Uninstall", true},
    {kHklm, kCurrentVersion, false},
    {kHkcr, "Unknown", true},
    {kHkcr, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}", true},
    {kHkcr, ".velmoraclitest", true},
    {kHkcr, "velmoraclitest.file", true},
};

RegistryValue Raw(std::uint32_t type, const std::string& bytes) {
    return RegistryValue{type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

class CliWineTest : public ::testing::Test {
  protected:
    void Write(RootKey root, const std::string& path, const std::string& name, const RegistryValue& value) {
        ASSERT_TRUE(e2e::WriteRawValue(root, path, name, value)) << path << " [" << name << "]";
    }

    // Settings in both states, and values no plain quoted text could carry, in places a backup holds.
    void Prepare() {
        Write(kHkcu, kPolicies, "NoFind", RegistryValue::Binary({1, 0, 0, 0}));
        e2e::RemoveValue(kHkcu, kPolicies, "NoRun");
        e2e::RemoveKeyTree(kHkcu, kCurrentVersion + "\\Policies\\WinOldApp");
        Write(kHkcu, "Control Panel\\Desktop", "MenuShowDelay", RegistryValue::String("250"));
        Write(kHkcr, kVerb + "\\command", "", RegistryValue::String("notepad.exe %1"));
        e2e::RemoveKeyTree(kHkcr, kMyComputerOpen);

        Write(kHkcu, kRun, "Quote\"d \\ name", RegistryValue::String("C:\\Prog\\\"x\".exe /a"));
        Write(kHkcu, kRun, "Zero inside", Raw(reg::kSz, std::string("a\0b\0", 4)));
        // Characters of 1252's upper half, and U+0081, which 1252 leaves undefined (the registry's texts are
        // UTF-8 here).
        Write(kHkcu, kRun, "Ansi", RegistryValue::String("Couldn\u00b4t \u20ac\u0081"));
        Write(kHkcu, kRun, "Line break", RegistryValue::String("a\r\nb"));
        Write(kHkcu, kRun, "Expand", Raw(reg::kExpandSz, std::string("%SystemRoot%\\x.exe\0", 19)));
        Write(kHkcu, kRun, "Multi", Raw(reg::kMultiSz, std::string("a\0bc\0\0", 6)));
        Write(kHkcu, kRun, "Empty", RegistryValue::String(""));
        Write(kHkcu, kRun, "No bytes", Raw(reg::kSz, ""));
        Write(kHkcu, kRun, "Dword", RegistryValue::Dword(0x8000012a));
        std::vector<std::uint8_t> big;
        for (int i = 0; i < 300; ++i) {
            big.push_back(static_cast<std::uint8_t>(i * 7));
        }
        Write(kHkcu, kRun, "Binary", RegistryValue::Binary(big));

        Write(kHklm, kEntry, "DisplayName", RegistryValue::String("Velmora CLI Test"));
        Write(kHklm, kEntry, "UninstallString", RegistryValue::String("unins000.exe /x"));
        Write(kHklm, kEntry + "\\Details", "Size", RegistryValue::Dword(42));
        Write(kHkcr, ".velmoraclitest", "", RegistryValue::String("velmoraclitest.file"));
        Write(kHkcr, ".velmoraclitest\\ShellNew", "NullFile", RegistryValue::String(""));
        Write(kHkcr, "velmoraclitest.file", "", RegistryValue::String("Velmora CLI Test Document"));
    }

    // What a user's session with the pages (and a few hand edits of the lists) could do afterwards.
    void ChangeEverything() {
        e2e::RemoveValue(kHkcu, kPolicies, "NoFind");
        Write(kHkcu, kPolicies, "NoRun", RegistryValue::Binary({1, 0, 0, 0}));
        Write(kHkcu, kCurrentVersion + "\\Policies\\WinOldApp", "NoRealMode", RegistryValue::Dword(1));
        Write(kHkcu, "Control Panel\\Desktop", "MenuShowDelay", RegistryValue::String("999"));
        e2e::RemoveKeyTree(kHkcr, kVerb);
        Write(kHkcr, kMyComputerOpen + "\\Command", "", RegistryValue::String("explorer.exe"));
        Write(kHkcu, kRun, "Quote\"d \\ name", RegistryValue::String("changed.exe"));
        e2e::RemoveValue(kHkcu, kRun, "Zero inside");
        e2e::RemoveValue(kHkcu, kRun, "Binary");
        Write(kHklm, kEntry, "DisplayName", RegistryValue::String("Renamed"));
        e2e::RemoveKeyTree(kHklm, kEntry + "\\Details");
        e2e::RemoveKeyTree(kHkcr, ".velmoraclitest\\ShellNew");
    }

    std::string BackupPath(const char* name) { return ScratchDirectory("wine") + "\\" + name; }

    e2e::ScopedRegistryRestore restore_{kTouched};
};

TEST_F(CliWineTest, ShowPrintsWhatThePageModelsLoadFromThisRegistry) {
    Prepare();
    Write(kHklm, kCurrentVersion, "Version", RegistryValue::String("Windows 98"));
    const ProcessResult shown = RunCli({"show", "--json"});
    ASSERT_TRUE(shown.finished);
    EXPECT_EQ(shown.exitCode, 0u) << shown.err;

    // The same core in this process, on the same registry.
    Win32Services services;
    std::ostringstream expected;
    cli::PrintShowJson(cli::CollectShow(services.Get()), expected);
    EXPECT_EQ(shown.out, expected.str());
    // And by hand, against what was prepared.
    EXPECT_NE(shown.out.find("\"caption\": \"Show Find\", \"control\": 1071, \"loaded\": true, \"state\": "
                             "\"unchecked\""),
              std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find(
                  "\"caption\": \"Show Run\", \"control\": 1072, \"loaded\": true, \"state\": \"checked\""),
              std::string::npos);
    EXPECT_NE(
        shown.out.find("\"caption\": \"Start Menu delay:\", \"control\": 1206, \"loaded\": true, \"state\": "
                       "\"250\""),
        std::string::npos);
    EXPECT_NE(
        shown.out.find("\"caption\": \"Show \\\"View With Notepad\\\"\", \"control\": 1043, \"loaded\": "
                       "true, \"state\": \"checked\""),
        std::string::npos);
    EXPECT_NE(
        shown.out.find("{\"list\": \"Uninstall\", \"name\": \"Velmora CLI Test\", \"value\": \"unins000.exe "
                       "/x\""),
        std::string::npos);
    EXPECT_NE(shown.out.find("{\"list\": \"New\", \"name\": \"Velmora CLI Test Document\""),
              std::string::npos);
    EXPECT_NE(shown.out.find("\"name\": \"Ansi\", \"value\": \"Couldn\u00b4t \u20ac\u0081\""),
              std::string::npos);

    const ProcessResult text = RunCli({"show"});
    EXPECT_EQ(text.exitCode, 0u);
    EXPECT_NE(text.out.find("\nSecurity       Show File-Menu  "), std::string::npos) << text.out;
}

TEST_F(CliWineTest, RegeditImportOfABackupLeavesEveryBackedUpKeyByteIdentical) {
    Prepare();
    const e2e::RegistrySnapshot before = e2e::RegistrySnapshot::Take(kTouched);
    const std::string file = BackupPath("backup.reg");
    const ProcessResult backup = RunCli({"backup", file});
    ASSERT_EQ(backup.exitCode, 0u) << backup.err;
    EXPECT_NE(backup.out.find("Backed up "), std::string::npos);
    // The header, as comments that regedit skips: the version, when and on which Windows.
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n; Velmora 99 2.50 backup, written by velmora-cli\r\n; Taken 2", 0),
              0u)
        << text.substr(0, 400);
    EXPECT_NE(text.find(" on Windows "), std::string::npos) << text.substr(0, 400);

    ChangeEverything();
    ASSERT_FALSE(e2e::RegistryUnchangedSince(before));
    const ProcessResult imported = ImportWithRegedit(file);
    ASSERT_TRUE(imported.finished);
    EXPECT_EQ(imported.exitCode, 0u);
    // The policy key of old applications did not exist: it stays, empty.
    EXPECT_EQ(ChangesBesidesEmptyKeys(before), std::vector<std::string>{});

    const ProcessResult diff = RunCli({"diff", file});
    EXPECT_EQ(diff.exitCode, 0u) << diff.out << diff.err;
    EXPECT_EQ(diff.out, "No differences.\n");
}

TEST_F(CliWineTest, DiffListsExactlyTheChangedSettingsAndEntries) {
    Prepare();
    const std::string file = BackupPath("diff.reg");
    ASSERT_EQ(RunCli({"backup", file}).exitCode, 0u);
    const ProcessResult same = RunCli({"diff", file});
    EXPECT_EQ(same.exitCode, 0u) << same.out;

    ChangeEverything();
    const ProcessResult diff = RunCli({"diff", file});
    EXPECT_EQ(diff.exitCode, 1u) << diff.err;
    EXPECT_EQ(Owners(diff.out),
              (std::vector<std::string>{
                  // Each page's settings in the order Apply writes them.
                  "Start Menu / Start Menu delay:", "Start Menu / Show Run", "Start Menu / Show Find",
                  "Desktop / Open Explorer on My Computer", "Miscellaneous / Show \"View With Notepad\"",
                  "Miscellaneous / Show \"Restart in MS-DOS mode\"",
                  "Folders/Run / autorun entries (Current User)", "Add/Remove / Renamed",
                  "New / .velmoraclitest",  // the file type's name is not in the backup
              }))
        << diff.out;
    EXPECT_NE(diff.out.find("  HKEY_CURRENT_USER\\Control Panel\\desktop [MenuShowDelay]\n"
                            "    backup: \"250\"\n"
                            "    now:    \"999\"\n"),
              std::string::npos)
        << diff.out;
}

TEST_F(CliWineTest, BadCommandLinesAndUnreadableFilesExitWithTwo) {
    const ProcessResult help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_EQ(help.out.rfind("Usage: velmora-cli COMMAND", 0), 0u);

    const ProcessResult none = RunProcess("\"" + CliPath() + "\"");
    EXPECT_EQ(none.exitCode, 2u);
    EXPECT_NE(none.err.find("Usage:"), std::string::npos);
    EXPECT_EQ(none.out, "");

    const ProcessResult unknown = RunCli({"restore"});
    EXPECT_EQ(unknown.exitCode, 2u);
    EXPECT_EQ(unknown.err, "velmora-cli: unknown command 'restore'\nTry 'velmora-cli --help'.\n");

    const ProcessResult missing = RunCli({"diff", BackupPath("missing.reg")});
    EXPECT_EQ(missing.exitCode, 2u);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

    const ProcessResult folder = RunCli({"backup", ScratchDirectory("wine") + "\\no folder\\x.reg"});
    EXPECT_EQ(folder.exitCode, 2u);
    EXPECT_NE(folder.err.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace velmora::clitest
