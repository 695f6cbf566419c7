// The companion and the pages together: a backup taken with velmora-cli where the policy key and the
// verbs' shell key do not exist, settings changed on four pages and applied, another program's values
// and keys written beside them, the changes listed by diff, and the backup imported with regedit, which
// takes back exactly Velmora's changes and leaves the other program's data. Then names and texts beyond
// the prefix's ANSI code page, through a folder named with them: the same round trip, in version 5.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/core/BackupFile.h"
#include "res/resource.h"
#include "settings/Locations.h"
#include "tests/cli/CliProcess.h"
#include "tests/cli/RestoredRegistry.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"
#include "text/Utf.h"
#include "text/win32/AnsiCodePage.h"

namespace velmora::e2e {
namespace {

constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr char kShell[] = "Unknown\\shell";
constexpr char kVerb[] = "Unknown\\shell\\View With Notepad";

std::vector<RegistryLocation> Keys() {
    std::vector<RegistryLocation> keys = ProgramRegistryKeys();
    keys.push_back({RootKey::ClassesRoot, "Unknown\\shell"});
    return keys;
}

TEST(CliRoundTrip, BackupChangeThroughThePagesImportAndCompare) {
    ScopedRegistryRestore restore(Keys());
    ASSERT_TRUE(RemoveKeyTree(RootKey::CurrentUser, kPolicies));
    ASSERT_TRUE(RemoveKeyTree(RootKey::ClassesRoot, kShell));
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
        } clicks[] = {{"Start Menu", IDC_STARTMENU_SHOW_FIND_BOX},
                      {"Desktop", IDC_DESKTOP_SHOW_NET_HOOD_BOX},
                      {"Miscellaneous", IDC_MISC_VIEW_WITH_NOTEPAD_BOX},
                      {"Security", IDC_SECURITY_FILE_MENU_BOX}};
        for (const auto& click : clicks) {
            const HWND page = sheet.SelectPage(click.page);
            ASSERT_NE(page, nullptr) << click.page;
            ASSERT_TRUE(Click(Control(page, click.box))) << click.page;
        }
        ASSERT_TRUE(Click(Control(main, IDC_MAIN_APPLY_BUTTON)));
        EXPECT_FALSE(IsEnabled(Control(main, IDC_MAIN_APPLY_BUTTON)));
        ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
        ASSERT_TRUE(session.WaitForExit());
    }
    ASSERT_FALSE(RegistryUnchangedSince(before));
    ASSERT_TRUE(KeyPresent(RootKey::ClassesRoot, kVerb));

    // Another program writes beside Velmora: a value and a subkey under the policy key and the shell key.
    const RegistryValue value = RegistryValue::String("its value");
    const RegistryValue data = RegistryValue::String("its subkey");
    std::vector<std::string> others;
    for (const auto& [root, parent] : {std::pair{RootKey::CurrentUser, std::string(kPolicies)},
                                       std::pair{RootKey::ClassesRoot, std::string(kShell)}}) {
        const std::string subkey = parent + "\\Another program";
        ASSERT_TRUE(WriteRawValue(root, parent, "Another program", value));
        ASSERT_TRUE(WriteRawValue(root, subkey, "Data", data));
        others.push_back("+ key " + KeyName(root, parent));
        others.push_back("+ " + KeyName(root, parent) + " [Another program] = " + Describe(value));
        others.push_back("+ key " + KeyName(root, subkey));
        others.push_back("+ " + KeyName(root, subkey) + " [Data] = " + Describe(data));
    }
    std::sort(others.begin(), others.end());

    const clitest::ProcessResult diff = clitest::RunCli({"diff", file});
    EXPECT_EQ(diff.exitCode, 1u) << diff.err;
    EXPECT_EQ(clitest::Owners(diff.out), (std::vector<std::string>{
                                             "Start Menu / Show Find",
                                             "Desktop / Show Network Neighborhood",
                                             "Miscellaneous / Show \"View With Notepad\"",
                                             "Security / Show File-Menu",
                                         }))
        << diff.out;

    const clitest::ProcessResult imported = clitest::ImportWithRegedit(file);
    ASSERT_TRUE(imported.finished);
    EXPECT_EQ(imported.exitCode, 0u);
    // Velmora's values and verb are gone; the other program's value and subkey stay, and so do the
    // parent keys (the policy key's parents may stay empty).
    EXPECT_EQ(clitest::ChangesBesidesEmptyKeys(before), others);
    EXPECT_FALSE(KeyPresent(RootKey::ClassesRoot, kVerb));
    const clitest::ProcessResult after = clitest::RunCli({"diff", file});
    EXPECT_EQ(after.exitCode, 0u) << after.out;
    EXPECT_EQ(after.out, "No differences.\n");
}

// `regedit /s` of the backup puts back what was changed since `before`, leaving nothing else behind but
// the empty keys of the backup's sections, and the companion then finds no difference.
void ImportAndFindNoDifference(const std::string& file, const RegistrySnapshot& before) {
    const clitest::ProcessResult imported = clitest::ImportWithRegedit(file);
    ASSERT_TRUE(imported.finished);
    EXPECT_EQ(imported.exitCode, 0u);
    EXPECT_EQ(clitest::ChangesBesidesEmptyKeys(before), std::vector<std::string>{});
    const clitest::ProcessResult after = clitest::RunCli({"diff", file});
    EXPECT_EQ(after.exitCode, 0u) << after.out << after.err;
    EXPECT_EQ(after.out, "No differences.\n");
}

// Run-key values named and holding what 1252, 1251 and 932 each lack some of, beside look-alikes of
// each other that the code page's best fit would merge.
TEST(CliRoundTrip, NamesBeyondTheCodePageSurviveBackupImportAndDiff) {
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ScopedRegistryRestore restore(Keys());
    const auto textValue = [](std::uint32_t type, const std::string& utf8) {
        return RegistryValue{type, std::vector<std::uint8_t>(utf8.begin(), utf8.end())};
    };
    const struct {
        const char* name;
        RegistryValue value;
    } values[] = {
        {"\u0422\u0435\u0441\u0442", RegistryValue::String("C:\\\u0422\u0435\u0441\u0442\\t.exe")},
        {"\u0141\u00f3d\u017a", RegistryValue::String("\u0141\u00f3d\u017a.exe")},
        {"L\u00f3dz", RegistryValue::String("L\u00f3dz.exe")},
        {"Acc\u041f\u0440\u043e\u0433",
         textValue(reg::kExpandSz, std::string("%SystemRoot%\\\u041f\u0440\u043e\u0433.exe\0", 26))},
        {"\u8868\u793a", textValue(reg::kMultiSz, std::string("\u8868\0\u00e9\0\0", 8))},
    };
    for (const auto& v : values) {
        ASSERT_TRUE(WriteRawValue(RootKey::CurrentUser, run, v.name, v.value)) << v.name;
    }
    // Backed up in the form that holds them (no code page has all of them), to a folder so named.
    const std::string folder =
        clitest::ScratchDirectory("unicode") + "\\\u0422\u0435\u0441\u0442 \u0141\u00f3d\u017a";
    const std::u16string wideFolder = text::ToUtf16(folder);
    ::CreateDirectoryW(reinterpret_cast<const wchar_t*>(wideFolder.c_str()), nullptr);
    const std::string file = folder + "\\\u8868.reg";
    const clitest::ProcessResult backup = clitest::RunCli({"backup", "--force", file});
    ASSERT_EQ(backup.exitCode, 0u) << backup.err;
    EXPECT_NE(backup.out.find(file), std::string::npos) << backup.out;
    EXPECT_EQ(clitest::ReadBytes(file).substr(0, 2), "\xFF\xFE");

    // show writes UTF-8 to a file.
    const clitest::ProcessResult show = clitest::RunCli({"show"});
    EXPECT_EQ(show.exitCode, 0u) << show.err;
    for (const auto& v : values) {
        EXPECT_NE(show.out.find(v.name), std::string::npos) << v.name << "\n" << show.out;
    }

    const clitest::ProcessResult same = clitest::RunCli({"diff", file});
    EXPECT_EQ(same.exitCode, 0u) << same.out << same.err;

    // Changed and removed since; the import puts back every one as it was.
    const RegistrySnapshot before = RegistrySnapshot::Take(Keys());
    ASSERT_TRUE(WriteRawValue(RootKey::CurrentUser, run, "L\u00f3dz", RegistryValue::String("other.exe")));
    ASSERT_TRUE(RemoveValue(RootKey::CurrentUser, run, "\u0141\u00f3d\u017a"));
    ASSERT_TRUE(RemoveValue(RootKey::CurrentUser, run, "Acc\u041f\u0440\u043e\u0433"));
    const clitest::ProcessResult changed = clitest::RunCli({"diff", file});
    EXPECT_EQ(changed.exitCode, 1u) << changed.out << changed.err;
    for (const char* name : {"[L\u00f3dz]", "[\u0141\u00f3d\u017a]", "[Acc\u041f\u0440\u043e\u0433]"}) {
        EXPECT_NE(changed.out.find(name), std::string::npos) << name << "\n" << changed.out;
    }

    ImportAndFindNoDifference(file, before);
}

// Sets aside, until it ends, every key and value of a backup taken now whose name or text the prefix's ANSI
// code page cannot hold: what other programs and earlier runs left where the backup reads would make any
// backup of the prefix version 5. Each is put back as it was at the end.
class ScopedCodePageOnlyBackup {
  public:
    ScopedCodePageOnlyBackup() {
        const std::string file = clitest::ScratchDirectory("reach") + "\\reach.reg";
        const clitest::ProcessResult backup = clitest::RunCli({"backup", "--force", file});
        if (backup.exitCode != 0) {
            failure_ = "the first backup failed: " + backup.err;
            return;
        }
        const std::optional<cli::RegFile> read = cli::DecodeBackup(clitest::ReadBytes(file), ansi_, failure_);
        if (!read) {
            return;
        }
        std::vector<std::string> setAsideKeys;
        for (const cli::Section& section : read->sections) {
            const std::string key = KeyName(section.root, section.path);
            const bool below = std::any_of(setAsideKeys.begin(), setAsideKeys.end(),
                                           [&](const std::string& k) { return key.starts_with(k + "\\"); });
            if (section.deleteKey || below) {
                continue;
            }
            if (!Holds({section.root, section.path, false, {}})) {
                keys_.push_back(std::make_unique<ScopedRegistryRestore>(
                    std::vector<RegistryLocation>{{section.root, section.path}}));
                setAsideKeys.push_back(key);
                if (!RemoveKeyTree(section.root, section.path)) {
                    failure_ += "cannot set aside " + key + "\n";
                }
                continue;
            }
            for (const cli::ValueEntry& value : section.values) {
                if (value.value && !Holds({section.root, section.path, false, {value}})) {
                    values_.push_back(
                        std::make_unique<ScopedRegistryValue>(section.root, section.path, value.name));
                    if (!values_.back()->Remove()) {
                        failure_ += "cannot set aside " + key + " [" + value.name + "]\n";
                    }
                }
            }
        }
    }
    ScopedCodePageOnlyBackup(const ScopedCodePageOnlyBackup&) = delete;
    ScopedCodePageOnlyBackup& operator=(const ScopedCodePageOnlyBackup&) = delete;

    const std::string& Failure() const { return failure_; }

  private:
    // Whether a backup of this section alone is REGEDIT4.
    bool Holds(const cli::Section& section) const {
        cli::EncodedBackup encoded;
        std::string error;
        return cli::EncodeBackup({{section}, {}}, ansi_, encoded, error) &&
               encoded.form == cli::BackupForm::kRegedit4;
    }

    const text::SystemAnsiCodePage ansi_{text::SystemAnsiCodePage::kNoBytes};
    std::string failure_;
    // Each set-aside key lies outside the others (keys below one are not looked at), so the order in which
    // they are put back does not matter.
    std::vector<std::unique_ptr<ScopedRegistryRestore>> keys_;
    std::vector<std::unique_ptr<ScopedRegistryValue>> values_;
};

// Text the prefix's code page holds stays REGEDIT4, in that code page's bytes, and comes back the same.
// In 932 the name's second byte is a backslash (0x5C), which only a writer that quotes characters, not
// bytes, leaves alone. Whatever else the prefix holds that the code page cannot is set aside meanwhile.
TEST(CliRoundTrip, CodePageTextStaysRegedit4) {
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const struct {
        unsigned codePage;
        const char* name;
        const char* bytes;  // the name in the code page
    } choices[] = {
        {1252, "L\u00f3dz \u00e9t\u00e9",
         "L\xF3"
         "dz \xE9t\xE9"},
        {1251, "\u0422\u0435\u0441\u0442", "\xD2\xE5\xF1\xF2"},
        {932, "\u8868\u793a", "\x95\x5C\x8E\xA6"},
    };
    const auto choice = std::find_if(std::begin(choices), std::end(choices),
                                     [](const auto& c) { return c.codePage == ::GetACP(); });
    ASSERT_NE(choice, std::end(choices)) << "no names chosen for code page " << ::GetACP();
    ScopedRegistryRestore restore(Keys());
    const ScopedCodePageOnlyBackup onlyCodePageText;
    ASSERT_EQ(onlyCodePageText.Failure(), "");
    ASSERT_TRUE(WriteRawValue(RootKey::CurrentUser, run, choice->name,
                              RegistryValue::String(std::string(choice->name) + ".exe")));
    const std::string file = clitest::ScratchDirectory("codepage") + "\\backup.reg";
    const clitest::ProcessResult backup = clitest::RunCli({"backup", file});
    ASSERT_EQ(backup.exitCode, 0u) << backup.err;
    const std::string bytes = clitest::ReadBytes(file);
    EXPECT_EQ(bytes.rfind("REGEDIT4\r\n", 0), 0u) << bytes.substr(0, 40);
    EXPECT_NE(bytes.find("\"" + std::string(choice->bytes) + "\"=\"" + choice->bytes + ".exe\""),
              std::string::npos)
        << bytes;

    const RegistrySnapshot before = RegistrySnapshot::Take(Keys());
    ASSERT_TRUE(RemoveValue(RootKey::CurrentUser, run, choice->name));
    ImportAndFindNoDifference(file, before);
}

}  // namespace
}  // namespace velmora::e2e
