#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/core/CommandLine.h"
#include "registry/RegistryStore.h"
#include "system/fakes/FakeServices.h"
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
            .WriteBinary(RootKey::CurrentUser,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoFind",
                         kFlagOn);
    }
    void TearDown() override { fs::remove_all(directory_); }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunCommand(args, fakes_.Get(), out_, err_);
    }
    std::string PathOf(const char* name) const { return (directory_ / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    FakeServices fakes_;
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

    const std::string unicode = PathOf("unicode.reg");
    std::ofstream(unicode) << "Windows Registry Editor Version 5.00\r\n";
    EXPECT_EQ(Run({"diff", unicode}), kExitError);
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
    EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n[", 0), 0u);
    EXPECT_NE(text.find("\"NoFind\"=hex:01,00,00,00\r\n"), std::string::npos);

    EXPECT_EQ(Run({"diff", file}), kExitOk);
    EXPECT_EQ(out_.str(), "No differences.\n");

    RegistryStore(fakes_.registry)
        .DeleteValue(RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                     "NoFind");
    EXPECT_EQ(Run({"diff", file}), kExitDifferences);
    EXPECT_EQ(
        out_.str(),
        "Start Menu / Show Find\n"
        "  HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer [NoFind]\n"
        "    backup: hex:01,00,00,00\n"
        "    now:    absent\n");

    // Replacing the backup needs --force.
    EXPECT_EQ(Run({"backup", file}), kExitError);
    EXPECT_EQ(Read(file), text);
    EXPECT_EQ(Run({"backup", "--force", file}), kExitOk);
    EXPECT_EQ(Run({"diff", file}), kExitOk);
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
