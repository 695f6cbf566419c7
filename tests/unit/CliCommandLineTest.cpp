#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/core/Arguments.h"
#include "cli/core/CommandLine.h"
#include "registry/RegistryStore.h"
#include "settings/Locations.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/FakeCodePage.h"
#include "tests/support/RegistryDump.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;

class CliCommandLineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ =
            fs::temp_directory_path() /
            ("velmora-cli-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        RegistryStore(fakes_.registry)
            .WriteBinary(RootKey::CurrentUser, keys::kExplorerPolicies, "NoFind", kFlagOn);
    }
    void TearDown() override { fs::remove_all(directory_); }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunCommand(
            args, fakes_.Get(), out_, err_,
            Environment{codePage_, files_, BackupOrigin{"2026-12-08 14:05", "Windows 98 (4.10)"}});
    }
    std::string PathOf(const char* name) const { return (directory_ / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    FakeServices fakes_;
    testing::FakeCodePage codePage_;
    StdioFiles files_;
    fs::path directory_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliCommandLineTest, HelpGoesToStandardOutputAndSucceeds) {
    for (const char* help : {"--help", "-h", "/?"}) {
        EXPECT_EQ(Run({help}), kExitOk);
        EXPECT_EQ(out_.str(), kUsage);
        EXPECT_EQ(err_.str(), "");
    }
}

TEST_F(CliCommandLineTest, ABadCommandLineIsAUsageErrorThatChangesNothing) {
    const std::string before = testing::DumpRegistry(fakes_.registry);
    const std::string existing = PathOf("existing.reg");
    std::ofstream(existing) << "keep me";
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "Usage: velmora-cli COMMAND"},
        {{"restore", "x.reg"}, "unknown command 'restore'"},
        {{"show", "--xml"}, "show: unexpected argument '--xml'"},
        {{"backup"}, "backup: FILE is missing"},
        {{"backup", "a.reg", "b.reg"}, "backup: only one FILE is allowed"},
        {{"backup", "--quiet", "a.reg"}, "backup: unknown option '--quiet'"},
        {{"backup", existing}, "already exists (use --force to replace it)"},
        {{"diff"}, "diff: FILE is missing"},
        {{"diff", "a.reg", "b.reg"}, "diff: only one FILE is allowed"},
        {{"--help", "show"}, "--help takes no arguments"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), kExitError) << c.message;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        EXPECT_EQ(out_.str(), "") << c.message;
    }
    EXPECT_EQ(Read(existing), "keep me");
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
}

TEST_F(CliCommandLineTest, UnreadableOrForeignFilesAreErrorsNotDifferences) {
    EXPECT_EQ(Run({"diff", PathOf("missing.reg")}), kExitError);
    EXPECT_NE(err_.str().find("cannot read " + PathOf("missing.reg")), std::string::npos);
    EXPECT_EQ(Run({"diff", directory_.string()}), kExitError);

    // Both forms regedit writes are read (see the version 5 test); anything else is foreign.
    const std::string foreign = PathOf("foreign.reg");
    std::ofstream(foreign) << "Windows Registry Editor Version 4.00\r\n";
    EXPECT_EQ(Run({"diff", foreign}), kExitError);
    EXPECT_NE(err_.str().find("line 1: not a REGEDIT4 file"), std::string::npos) << err_.str();

    const std::string broken = PathOf("broken.reg");
    std::ofstream(broken) << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\"=hex:zz\r\n";
    EXPECT_EQ(Run({"diff", broken}), kExitError);
    EXPECT_NE(err_.str().find("line 4"), std::string::npos);

    EXPECT_EQ(Run({"backup", (directory_ / "no such folder" / "b.reg").string()}), kExitError);
    EXPECT_NE(err_.str().find("cannot write"), std::string::npos);
}

TEST_F(CliCommandLineTest, BackupThenDiffSaysNoDifferencesUntilASettingChanges) {
    const std::string file = PathOf("before.reg");
    ASSERT_EQ(Run({"backup", file}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("to " + file), std::string::npos);
    const std::string text = Read(file);
    EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n"
                         "; Velmora 99 2.50 backup, written by velmora-cli\r\n"
                         "; Taken 2026-12-08 14:05 on Windows 98 (4.10)\r\n"
                         "; Importing it (regedit /s FILE) puts back the values Velmora changes and removes "
                         "the shell verbs it adds; it deletes no other key or value, and a key created for a "
                         "value may stay behind empty.\r\n\r\n[",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("\"NoFind\"=hex:01,00,00,00\r\n"), std::string::npos);

    EXPECT_EQ(Run({"diff", file}), kExitOk);
    EXPECT_EQ(out_.str(), "No differences.\n");

    RegistryStore(fakes_.registry).DeleteValue(RootKey::CurrentUser, keys::kExplorerPolicies, "NoFind");
    EXPECT_EQ(Run({"diff", file}), kExitDifferences);
    EXPECT_EQ(out_.str(), std::string("Start Menu / Show Find\n  HKEY_CURRENT_USER\\") +
                              keys::kExplorerPolicies +
                              " [NoFind]\n"
                              "    backup: hex:01,00,00,00\n"
                              "    now:    absent\n");

    // Replacing the backup needs --force.
    EXPECT_EQ(Run({"backup", file}), kExitError);
    EXPECT_EQ(Read(file), text);
    EXPECT_EQ(Run({"backup", "--force", file}), kExitOk);
    EXPECT_EQ(Run({"diff", file}), kExitOk);
}

TEST_F(CliCommandLineTest, ABackupOfNamesTheCodePageLacksIsVersion5AndDiffReadsItBack) {
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    RegistryStore store(fakes_.registry);
    // Names that the code page's '?' and look-alikes would merge or change.
    store.WriteString(RootKey::CurrentUser, run, "\u0422\u0435\u0441\u0442", "t.exe");
    store.WriteString(RootKey::CurrentUser, run, "\u0141\u00f3d\u017a", "\u0141.exe");
    store.WriteString(RootKey::CurrentUser, run, "L\u00f3dz", "l.exe");
    store.WriteString(RootKey::CurrentUser, run, "Acc\u041f\u0440\u043e\u0433", "a.exe");
    const std::string file = PathOf("unicode.reg");
    ASSERT_EQ(Run({"backup", file}), kExitOk) << err_.str();
    const std::string bytes = Read(file);
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.substr(2, 16), std::string("W\0i\0n\0d\0o\0w\0s\0 \0", 16));
    EXPECT_EQ(Run({"diff", file}), kExitOk) << out_.str() << err_.str();
    EXPECT_EQ(out_.str(), "No differences.\n");

    store.WriteString(RootKey::CurrentUser, run, "L\u00f3dz", "changed.exe");
    store.DeleteValue(RootKey::CurrentUser, run, "\u0141\u00f3d\u017a");
    EXPECT_EQ(Run({"diff", file}), kExitDifferences);
    EXPECT_NE(out_.str().find("[\u0141\u00f3d\u017a]\n    backup: \"\u0141.exe\"\n    now:    absent\n"),
              std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("[L\u00f3dz]\n    backup: \"l.exe\"\n    now:    \"changed.exe\"\n"),
              std::string::npos)
        << out_.str();
}

TEST(CliArgumentsTest, SplitsTheCommandLineAsTheCRunTimeDoes) {
    const struct {
        const char* line;
        std::vector<std::string> args;
    } cases[] = {
        {"velmora-cli.exe", {}},
        {"\"C:\\Program Files\\velmora-cli.exe\" show --json", {"show", "--json"}},
        {"\"C:\\odd\\\"x backup", {"backup"}},  // the name's quotes take no escapes
        {"v  backup \t \"C:\\\u0422\u0435\u0441\u0442 folder\\b.reg\"  ",
         {"backup", "C:\\\u0422\u0435\u0441\u0442 folder\\b.reg"}},
        {"v a\"b c\"d e", {"ab cd", "e"}},
        {"v \"\" x", {"", "x"}},
        {"v a\\\\\"b c\"", {"a\\b c"}},       // 2n backslashes and a quote: n, and the quote groups
        {"v a\\\\\\\"b", {"a\\\"b"}},         // 2n+1: n and a quote
        {"v a\\b\\\\ c", {"a\\b\\\\", "c"}},  // backslashes before anything else are themselves
        {"v \"a \"\"b\"\"\"", {"a \"b\""}},   // "" inside a group is a quote
        {"v \"unterminated group", {"unterminated group"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitArguments(c.line), c.args) << c.line;
    }
}

TEST(CliBackupHeaderTest, WindowsVersionsGoByTheNameTheyWereSoldUnder) {
    const struct {
        unsigned platform, major, minor, build;
        const char* servicePack;
        const char* text;
    } cases[] = {
        {1, 4, 0, 0x040003B6, "", "Windows 95 (4.00, build 950)"},
        {1, 4, 10, 0x040A08AE, " A ", "Windows 98 (4.10, build 2222, A)"},
        {1, 4, 90, 0x045A0BB8, "", "Windows Me (4.90, build 3000)"},
        {2, 4, 0, 1381, "Service Pack 6", "Windows NT 4.0 (4.0, build 1381, Service Pack 6)"},
        {2, 6, 1, 7601, "Service Pack 1", "Windows 7 (6.1, build 7601, Service Pack 1)"},
        {2, 11, 0, 1, "", "Windows (11.0, build 1)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeWindows(c.platform, c.major, c.minor, c.build, c.servicePack), c.text);
    }
    // Without a date the local time is taken; without a version it is said to be unknown.
    const std::vector<std::string> header = BackupHeader({});
    ASSERT_EQ(header.size(), 3u);
    EXPECT_EQ(header[1].rfind("Taken 2", 0), 0u) << header[1];
    EXPECT_NE(header[1].find(" on an unknown Windows version"), std::string::npos);
}

TEST_F(CliCommandLineTest, ShowWritesTextOrJson) {
    EXPECT_EQ(Run({"show"}), kExitOk);
    EXPECT_EQ(out_.str().rfind("Page ", 0), 0u);
    EXPECT_NE(out_.str().find("\nStart Menu  "), std::string::npos);
    EXPECT_EQ(Run({"show", "--json"}), kExitOk);
    EXPECT_EQ(out_.str().rfind("{\n  \"settings\": [", 0), 0u);
    EXPECT_EQ(err_.str(), "");
}

}  // namespace
}  // namespace velmora::cli
