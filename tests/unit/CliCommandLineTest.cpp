#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>

#include "cli/core/Arguments.h"
#include "cli/core/CommandLine.h"
#include "cli/core/Json.h"
#include "cli/core/PageSettings.h"
#include "cli/core/Show.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"
#include "settings/Locations.h"
#include "settings/MachinePolicy.h"
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
        {{"apply"}, "apply: PROFILE is missing"},
        {{"apply", "--backup"}, "apply: --backup needs a FILE"},
        {{"apply", "--force", "p.json"}, "apply: unknown option '--force'"},
        {{"apply", "missing.json"}, "apply: cannot read missing.json"},
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

// ---- apply ----

// Another state the row can take than `now`: the other box state, the next choice, another text.
std::string OtherState(const ListedSetting& row, const std::string& now) {
    const auto next = [&now](const std::vector<std::string>& choices) {
        const auto at = std::find(choices.begin(), choices.end(), now);
        return at == choices.end() || at + 1 == choices.end() ? choices.front() : *(at + 1);
    };
    switch (row.state) {
        case Shown::kArrows:
            return next(ArrowChoices());
        case Shown::kIconSize:
            return next(IconSizeChoices());
        case Shown::kMenuDelay:
            return now == "300" ? "350" : "300";
        case Shown::kUserName:
            return now + "-\u0141ukasz";
        default:
            return now == "checked" ? "unchecked" : "checked";
    }
}

using Edit = std::function<std::optional<std::string>(const ListedSetting&, const std::string& now)>;

// The text show --json wrote, with the state of each row `edit` answers for replaced (one row a line, in
// the pages' table order).
std::string EditedProfile(const std::string& shown, const Edit& edit) {
    std::istringstream in(shown);
    std::string profile;
    std::size_t index = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t state = line.find("\"state\": \"");
        if (line.rfind("    {\"page\"", 0) == 0 && index < ListedSettings().size()) {
            const ListedSetting& row = ListedSettings()[index++];
            if (state != std::string::npos) {
                const std::size_t from = state + 10;
                const std::size_t to = line.find('"', from);
                if (const auto wanted = edit(row, line.substr(from, to - from))) {
                    line = line.substr(0, from) + *wanted + line.substr(to);
                }
            }
        }
        profile += line + "\n";
    }
    return profile;
}

class CliApplyTest : public CliCommandLineTest {
  protected:
    // Windows 98 with the extensions: every row of the four pages loads.
    void PrepareWindows98() {
        fakes_.parameters.results[spi::kGetWindowsExtension] = 1;
        RegistryStore store(fakes_.registry);
        store.WriteString(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "Version",
                          "Windows 98");
        store.WriteString(RootKey::CurrentUser, keys::kShellFolders, "Start Menu", "C:\\WINDOWS\\Start Menu");
        store.WriteString(RootKey::LocalMachine, keys::kLogon, "DefaultPassword", "secret");
    }
    std::string Show() {
        EXPECT_EQ(Run({"show", "--json"}), kExitOk);
        return out_.str();
    }
    std::string WriteProfile(const std::string& text) {
        const std::string path = PathOf("profile.json");
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // The first listed row shown as `shown` on `page`.
    static const ListedSetting& FirstRow(Page page, Shown shown) {
        for (const ListedSetting& row : ListedSettings()) {
            if (row.page == page && row.state == shown) {
                return row;
            }
        }
        throw std::runtime_error("no such row");
    }
    static std::string Line(const ListedSetting& row, const std::string& state) {
        return "{\"page\": \"" + std::string(PageName(row.page)) +
               "\", \"caption\": " + JsonString(row.caption) + ", \"state\": " + state + "}";
    }
};

TEST_F(CliApplyTest, EveryRowOfAnEditedShowProfileIsPreviewedThenAppliedAndShowReadsItBack) {
    PrepareWindows98();
    const std::string shown = Show();
    std::vector<std::string> wanted(ListedSettings().size());
    std::size_t edited = 0;
    const std::string profile =
        WriteProfile(EditedProfile(shown, [&](const ListedSetting& row, const std::string& now) {
            // The password is never applied; the system parameters are the system's, which the fakes do not
            // keep.
            if (row.state == Shown::kPassword || row.elsewhere.rfind("system parameter", 0) == 0) {
                return std::optional<std::string>();
            }
            const auto index = static_cast<std::size_t>(&row - ListedSettings().data());
            wanted[index] = OtherState(row, now);
            ++edited;
            return std::optional<std::string>(wanted[index]);
        }));
    ASSERT_GT(edited, 40u);

    const std::string before = testing::DumpRegistry(fakes_.registry);
    ASSERT_EQ(Run({"apply", "--dry-run", profile}), kExitOk) << err_.str();
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
    const std::string preview = out_.str();

    ASSERT_EQ(Run({"apply", profile}), kExitOk) << err_.str() << out_.str();
    const std::string applied = out_.str();
    for (std::size_t i = 0; i < ListedSettings().size(); ++i) {
        const ListedSetting& row = ListedSettings()[i];
        if (wanted[i].empty()) {
            continue;
        }
        const std::string line = std::string(PageName(row.page)) + " / " + PlainCaption(row.caption) + ": ";
        EXPECT_NE(preview.find(line), std::string::npos) << line;
        EXPECT_NE(applied.find(line), std::string::npos) << line;
    }
    EXPECT_NE(preview.find(std::to_string(edited) + " settings would change; nothing was written"),
              std::string::npos)
        << preview;
    EXPECT_NE(applied.find(std::to_string(edited) + " settings changed.\n"), std::string::npos) << applied;
    EXPECT_NE(applied.find("Windows must be restarted"), std::string::npos);
    EXPECT_EQ(applied.find("FAILED"), std::string::npos) << applied;

    // What show reads now is what the profile asked for, row by row; the profile is then nothing to do.
    EditedProfile(Show(), [&](const ListedSetting& row, const std::string& now) {
        const std::string& asked = wanted[static_cast<std::size_t>(&row - ListedSettings().data())];
        EXPECT_TRUE(asked.empty() || now == asked)
            << PageName(row.page) << " / " << row.caption << ": " << now;
        return std::optional<std::string>();
    });
    EXPECT_EQ(Run({"apply", profile}), kExitOk);
    EXPECT_EQ(out_.str().rfind("Nothing to change", 0), 0u) << out_.str();
}

TEST_F(CliApplyTest, AProfileWithProblemsWritesNothingAndNamesEachWithItsPlace) {
    // On Windows NT: no Security page.
    const ListedSetting& box = FirstRow(Page::kDesktop, Shown::kCheck);
    const ListedSetting& arrows = FirstRow(Page::kDesktop, Shown::kArrows);
    const ListedSetting& security = FirstRow(Page::kSecurity, Shown::kCheck);
    const ListedSetting& good = FirstRow(Page::kMiscellaneous, Shown::kCheck);
    const std::string before = testing::DumpRegistry(fakes_.registry);
    const struct {
        std::string text;
        std::vector<std::string> problems;
    } cases[] = {
        {"{\"settings\": [\n" + Line(good, "\"unchecked\"") + ",\n" + Line(box, "\"maybe\"") + ",\n" +
             Line(arrows, "\"Tiny\"") + ",\n" + Line(security, "\"checked\"") + ",\n" +
             "{\"page\": \"Desktop\", \"caption\": \"No such box\", \"state\": \"checked\"},\n" +
             "{\"page\": \"Nowhere\", \"caption\": \"x\", \"state\": \"checked\"},\n" + Line(box, "true") +
             ",\n" + Line(good, "\"checked\"") + "]}\n",
         {"line 3, column ", "\"checked\" or \"unchecked\", not \"maybe\"", "line 4, column ", "not \"Tiny\"",
          "line 5, column ", "no Security page on Windows NT", "line 6, column ",
          "has no setting \"No such box\"", "line 7, column 10: settings[5]: unknown page \"Nowhere\"",
          "line 8, column ", "is a string in double quotes",
          "line 9, column 1: settings[7]: Miscellaneous / ", "given a second time"}},
        {"{\"settings\": [\n  {\"page\": \"Desktop\",,",
         {"line 2, column 22: a member name in double quotes"}},
        {"[1, 2]", {"line 1, column 1: a profile is an object with a \"settings\" array"}},
        {"{\"settings\": [\"\u00e9\\q\"]}", {"line 1, column 17: unknown escape \\q"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run({"apply", WriteProfile(c.text)}), kExitError) << c.text;
        for (const std::string& problem : c.problems) {
            EXPECT_NE(err_.str().find(problem), std::string::npos) << problem << "\n" << err_.str();
        }
        EXPECT_NE(err_.str().find("nothing was written"), std::string::npos);
        EXPECT_EQ(out_.str(), "");
        EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
    }
}

TEST_F(CliApplyTest, WhatWindowsUsesComesFromTheMachinesPolicyWhereItHoldsTheValue) {
    // Every loaded row kept in a user's policy value, on Windows NT: a third with nothing stored, a third
    // with the user's value, a third with a machine-wide value besides.
    RegistryStore store(fakes_.registry);
    std::vector<const ListedSetting*> rows;
    for (const ListedSetting& row : ListedSettings()) {
        const auto& at = row.locations;
        if (row.page != Page::kSecurity && at.size() == 1 &&
            MachineTwin(velmora::Location{at[0].root, at[0].key.c_str(), at[0].value.c_str()})) {
            rows.push_back(&row);
        }
    }
    ASSERT_GE(rows.size(), 9u);
    // What show says of each row: its state, what Windows uses and where that comes from.
    const auto shown = [this] {
        std::string error;
        const auto json = ParseJson(Show(), error);
        EXPECT_TRUE(json) << error;
        std::vector<std::array<std::string, 3>> said;
        for (const JsonValue& item : json->Find("settings")->items) {
            const JsonValue* effective = item.Find("effective");
            const JsonValue* source = item.Find("source");
            said.push_back(
                {item.Find("state")->text, effective ? effective->text : "", source ? source->text : ""});
        }
        return said;
    };
    const auto indexOf = [](const ListedSetting* row) {
        return static_cast<std::size_t>(row - ListedSettings().data());
    };
    for (const ListedSetting* row : rows) {
        store.DeleteValue(row->locations[0].root, row->locations[0].key, row->locations[0].value);
    }
    const auto nothingStored = shown();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Location& at = rows[i]->locations[0];
        if (i % 3 == 2) {
            store.WriteBinary(RootKey::LocalMachine, at.key, at.value, kFlagOn);
        } else if (i % 3 == 1) {
            store.WriteBinary(at.root, at.key, at.value, kFlagOn);
        }
    }
    const auto stored = shown();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& before = nothingStored[indexOf(rows[i])];
        const auto& now = stored[indexOf(rows[i])];
        const std::string name = rows[i]->caption;
        EXPECT_EQ(before[2], "default") << name;
        switch (i % 3) {
            case 0:
                EXPECT_EQ(now, before) << name;
                break;
            case 1:
                EXPECT_EQ(now[2], "user") << name;
                EXPECT_EQ(now[1], now[0]) << name;
                EXPECT_NE(now[1], before[1]) << name;
                break;
            default:
                // The page shows the user's (missing) value; Windows uses the machine's flag.
                EXPECT_EQ(now[2], "machine policy") << name;
                EXPECT_EQ(now[0], before[0]) << name;
                EXPECT_NE(now[1], before[1]) << name;
                break;
        }
    }
    const std::string json = Show();

    // Changing an overridden row and a free one: both written, the first named with what Windows uses.
    const ListedSetting& overridden = *rows[2];
    const ListedSetting& free = *rows[0];
    const std::string profile =
        WriteProfile(EditedProfile(json, [&](const ListedSetting& row, const std::string& now) {
            return &row == &overridden || &row == &free ? std::optional<std::string>(OtherState(row, now))
                                                        : std::optional<std::string>();
        }));
    const std::string name = std::string(PageName(overridden.page)) + ": " +
                             PlainCaption(overridden.caption) +
                             " (Windows uses: " + stored[indexOf(&overridden)][1] + ")\n";
    const std::string key =
        "The policy is kept in HKEY_LOCAL_MACHINE\\" + overridden.locations[0].key + ".\n";
    ASSERT_EQ(Run({"apply", "--dry-run", profile}), kExitOk) << err_.str();
    EXPECT_NE(
        out_.str().find("\n\nA machine-wide policy overrides this setting: changed for you, Windows would "
                        "still use the policy:\n\n" +
                        name + "\n" + key),
        std::string::npos)
        << out_.str();
    ASSERT_EQ(Run({"apply", profile}), kExitOk) << err_.str();
    EXPECT_NE(
        out_.str().find("\n\nThis setting was saved for you, but a machine-wide policy overrides it, and "
                        "Windows uses the policy:\n\n" +
                        name + "\n" + key),
        std::string::npos)
        << out_.str();
    EXPECT_EQ(out_.str().find(": " + PlainCaption(free.caption) + " (Windows uses"), std::string::npos);
    EXPECT_TRUE(ReadValue(fakes_.registry, overridden.locations[0].root, overridden.locations[0].key,
                          overridden.locations[0].value)
                    .has_value());

    // Windows 98 reads the policies from the user's key only: nothing overrides there.
    store.WriteString(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "Version",
                      "Windows 98");
    EXPECT_EQ(Show().find("\"effective\""), std::string::npos);
}

TEST_F(CliApplyTest, ABackupHoldsOnlyWhatApplyIsAboutToChangeAndIsNeverReplaced) {
    std::vector<const ListedSetting*> changed;
    for (const ListedSetting& row : ListedSettings()) {
        if (row.page == Page::kDesktop && row.state == Shown::kCheck && changed.size() < 2 &&
            row.locations.size() == 1 && row.locations[0].kind == Location::kValue) {
            changed.push_back(&row);
        }
    }
    ASSERT_EQ(changed.size(), 2u);
    const auto flip = [&](const ListedSetting& row, const std::string& now) {
        return std::find(changed.begin(), changed.end(), &row) != changed.end()
                   ? std::optional<std::string>(OtherState(row, now))
                   : std::optional<std::string>();
    };
    // An autorun entry the backup does not hold, and that apply does not touch.
    RegistryStore(fakes_.registry)
        .WriteString(RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tray",
                     "tray.exe");
    const std::string shown = Show();
    const std::string backup = PathOf("before.reg");
    ASSERT_EQ(Run({"apply", "--backup", backup, WriteProfile(EditedProfile(shown, flip))}), kExitOk)
        << err_.str();
    EXPECT_EQ(out_.str().rfind("Backed up ", 0), 0u) << out_.str();
    const std::string text = Read(backup);
    for (const ListedSetting* row : changed) {
        EXPECT_NE(text.find("\"" + row->locations[0].value + "\"=-"), std::string::npos) << text;
    }
    // The fixture's "Show Find" value is not about to change.
    EXPECT_EQ(text.find("NoFind"), std::string::npos) << text;

    // Diff against it names just those two; importing it would put them back.
    EXPECT_EQ(Run({"diff", backup}), kExitDifferences);
    for (const ListedSetting* row : changed) {
        EXPECT_NE(out_.str().find("Desktop / " + row->caption + "\n"), std::string::npos) << out_.str();
    }
    EXPECT_EQ(out_.str().find("Show Find"), std::string::npos);
    EXPECT_EQ(out_.str().find("Tray"), std::string::npos) << out_.str();

    // A backup that exists is never replaced, and then nothing is written.
    const std::string before = testing::DumpRegistry(fakes_.registry);
    EXPECT_EQ(Run({"apply", "--backup", backup, WriteProfile(shown)}), kExitError);
    EXPECT_NE(err_.str().find("already exists; nothing was written"), std::string::npos) << err_.str();
    EXPECT_EQ(Read(backup), text);
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
}

TEST_F(CliApplyTest, ARowThatFailsIsNamedWithItsReasonAndTheOthersAreApplied) {
    const ListedSetting& first = FirstRow(Page::kDesktop, Shown::kCheck);
    const ListedSetting& later = FirstRow(Page::kMiscellaneous, Shown::kCheck);
    const std::string profile =
        WriteProfile(EditedProfile(Show(), [&](const ListedSetting& row, const std::string& now) {
            return &row == &first || &row == &later ? std::optional<std::string>(OtherState(row, now))
                                                    : std::optional<std::string>();
        }));
    fakes_.registry.FailNth(MemoryRegistry::Call::kSet, 1);
    EXPECT_EQ(Run({"apply", profile}), kExitSomeFailed);
    EXPECT_NE(out_.str().find("Desktop / " + PlainCaption(first.caption) +
                              ": checked -> unchecked: FAILED: Error text 5. (error 5)\n"
                              "  Only an administrator can make this change: run velmora-cli"),
              std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("Miscellaneous / " + PlainCaption(later.caption) + ": "), std::string::npos);
    EXPECT_NE(out_.str().find(": changed\n1 setting changed; 1 failed.\n"), std::string::npos) << out_.str();
    EXPECT_FALSE(ReadValue(fakes_.registry, first.locations[0].root, first.locations[0].key,
                           first.locations[0].value));
    EXPECT_TRUE(ReadValue(fakes_.registry, later.locations[0].root, later.locations[0].key,
                          later.locations[0].value));

    // A verb kept by a subkey of its own: NT says "access denied", but no administrator could delete it.
    const std::string verb = "Unknown\\shell\\View With Notepad";
    RegistryStore(fakes_.registry).WriteString(RootKey::ClassesRoot, verb + "\\command", "", "x");
    RegistryStore(fakes_.registry).WriteString(RootKey::ClassesRoot, verb + "\\ddeexec", "", "x");
    const std::string verbProfile =
        WriteProfile(EditedProfile(Show(), [](const ListedSetting& row, const std::string&) {
            return PlainCaption(row.caption) == "Show \"View With Notepad\""
                       ? std::optional<std::string>("unchecked")
                       : std::optional<std::string>();
        }));
    EXPECT_EQ(Run({"apply", verbProfile}), kExitSomeFailed);
    EXPECT_NE(out_.str().find(
                  ": checked -> unchecked: FAILED: Error text 5. (error 5)\n0 settings changed; 1 failed."),
              std::string::npos)
        << out_.str();
}

}  // namespace
}  // namespace velmora::cli
