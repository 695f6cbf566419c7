#include <gtest/gtest.h>

#include <map>
#include <set>

#include "cli/core/Backup.h"
#include "cli/core/Diff.h"
#include "cli/core/SettingTable.h"
#include "registry/RegistryStore.h"
#include "settings/ApplyCycle.h"
#include "settings/DesktopSettings.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/ShellNewList.h"
#include "settings/StartMenuSettings.h"
#include "settings/UninstallList.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryDump.h"

namespace velmora::cli {
namespace {

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;
constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class CliBackupTest : public ::testing::Test {
  protected:
    RegistryStore Store() { return RegistryStore(fakes_.registry); }

    // A Windows 98 machine with a logon key, a Start Menu folder and a little of everything.
    void PrepareMachine() {
        Store().WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion", "Version", "Windows 98");
        Store().WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon", "Shell",
                            "Explorer.exe");
        Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Start Menu", "C:\\WINDOWS\\Start Menu");
        Store().WriteBinary(kHkcu, kPolicies, "NoInternetIcon", kFlagOn);
        Store().WriteString(kHkcu, "Control Panel\\Desktop", "MenuShowDelay", "250");
        Store().WriteString(RootKey::ClassesRoot, "Unknown\\shell\\View With Notepad\\command", "",
                            "notepad %1");
        Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tray", "tray.exe");
        Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Mail", "mail.exe");
        Store().WriteString(kHklm, std::string(kUninstall) + "\\App", "DisplayName", "Some App");
        Store().WriteString(kHklm, std::string(kUninstall) + "\\App", "UninstallString", "unins.exe");
        Store().WriteString(kHklm, std::string(kUninstall) + "\\App\\Extra", "Note", "below the entry");
        Store().WriteString(kHklm, std::string(kUninstall) + "\\Unlisted", "DisplayName", "No command");
        Store().WriteString(RootKey::ClassesRoot, ".txt", "", "txtfile");
        Store().WriteString(RootKey::ClassesRoot, ".txt\\ShellNew", "NullFile", "");
        Store().WriteString(RootKey::ClassesRoot, "txtfile", "", "Text Document");
        fakes_.messages.defaultAnswer = mb::kIdYes;
    }

    RegFile Backup(const std::vector<Target>& targets) {
        RegFile file;
        std::string error;
        EXPECT_TRUE(ReadTargets(fakes_.registry, targets, file, error)) << error;
        EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
        return file;
    }

    std::string Dump() { return testing::DumpRegistry(fakes_.registry); }

    // The row's setting turned to another state on its page and applied, as a user would.
    void ChangeAndApply(const SettingRow& row) {
        const auto index = static_cast<std::size_t>(row.modelRow);
        const auto apply = [](SettingsModel& model) { model.ApplyTouched([] {}); };
        switch (row.page) {
            case Page::kDesktop: {
                DesktopSettings d(services_);
                d.Load();
                d.LoadWindowsVersion();
                if (row.state == StateKind::kArrows) {
                    d.shortcutArrows = (d.shortcutArrows + 1) % 3;
                    ASSERT_TRUE(d.Touch(DesktopSettings::kArrowSmallRadio, notify::kButtonClicked));
                } else if (row.state == StateKind::kIconSize) {
                    d.iconSize = (d.iconSize + 1) % 4;
                    ASSERT_TRUE(d.Touch(row.control, notify::kSelectionChange));
                } else {
                    d.check[index] ^= 1;
                    ASSERT_TRUE(d.Touch(row.control, notify::kButtonClicked));
                }
                apply(d);
                break;
            }
            case Page::kStartMenu: {
                StartMenuSettings s(services_);
                s.Load();
                if (row.state == StateKind::kMenuDelay) {
                    s.menuDelay = s.menuDelay == "400" ? "250" : "400";
                    ASSERT_TRUE(s.Touch(row.control, notify::kEditChange));
                } else {
                    s.check[index] ^= 1;
                    ASSERT_TRUE(s.Touch(row.control, notify::kButtonClicked));
                }
                apply(s);
                break;
            }
            case Page::kMiscellaneous: {
                MiscSettings m(services_);
                m.LoadDragAndSmoothing();
                m.Load();
                m.check[index] ^= 1;
                ASSERT_TRUE(m.Touch(row.control, notify::kButtonClicked));
                apply(m);
                break;
            }
            case Page::kSecurity: {
                SecuritySettings s(services_);
                s.Load();
                s.check[index] ^= 1;
                if (row.modelRow == SecuritySettings::kAutologon) {
                    s.userName = "user " + std::to_string(++changes_);
                    s.password = "password " + std::to_string(changes_);
                    s.ClickAutologon();
                } else {
                    ASSERT_TRUE(s.Touch(row.control, notify::kButtonClicked));
                }
                apply(s);
                break;
            }
        }
    }

    FakeServices fakes_;
    Services services_ = fakes_.Get();
    int changes_ = 0;
};

std::vector<Target> TargetsOf(const std::vector<const SettingRow*>& rows) {
    std::vector<Target> targets;
    for (const SettingRow* row : rows) {
        for (const Location& l : row->locations) {
            targets.push_back(Target{l.kind == Location::kValue ? Target::kValue : Target::kTree, l.root,
                                     l.key, l.value, ""});
        }
    }
    return targets;
}

// The table's locations are checked against the models themselves: whatever applying a row writes or
// deletes, importing a backup of only that row's locations must undo, in both directions and whatever
// keys the apply had to create.
TEST_F(CliBackupTest, ABackupOfARowsLocationsUndoesEverythingItsPageWrites) {
    PrepareMachine();
    std::map<std::pair<Page, int>, std::vector<const SettingRow*>> groups;
    for (const SettingRow& row : SettingRows()) {
        if (!row.locations.empty()) {
            groups[{row.page, row.modelRow}].push_back(&row);
        }
    }
    ASSERT_EQ(groups.size(), 55u);
    for (const auto& [id, rows] : groups) {
        SCOPED_TRACE(std::string(PageName(id.first)) + " / " + rows.front()->caption);
        for (int round = 0; round < 2; ++round) {
            const RegFile backup = Backup(TargetsOf(rows));
            const std::string before = Dump();
            ChangeAndApply(*rows.front());
            const std::string changed = Dump();
            EXPECT_NE(changed, before) << "round " << round << ": applying changed nothing";
            EXPECT_TRUE(ImportRegFile(fakes_.registry, backup));
            EXPECT_EQ(Dump(), before) << "round " << round;
            // Go on from the changed state, so that the second round applies the other direction.
            ImportRegFile(fakes_.registry, Backup(TargetsOf(rows)));
            ChangeAndApply(*rows.front());
        }
    }
}

TEST_F(CliBackupTest, TargetsAreTheRowsThenTheListedEntriesOnly) {
    PrepareMachine();
    const std::vector<Target> targets = CollectTargets(services_);
    std::set<std::string> owners;
    std::vector<std::string> entries;
    for (const Target& t : targets) {
        owners.insert(t.owner);
        if (t.kind == Target::kEntry || t.kind == Target::kValues) {
            entries.push_back(t.key);
        }
    }
    EXPECT_EQ(entries, (std::vector<std::string>{
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
                           std::string(kUninstall) + "\\App",
                           ".txt\\ShellNew",
                       }));
    EXPECT_TRUE(owners.count("Add/Remove / Some App"));
    EXPECT_TRUE(owners.count("New / Text Document"));
    EXPECT_TRUE(owners.count("Folders/Run / autorun entries (Local Machine)"));
}

TEST_F(CliBackupTest, AbsentKeysAreDeletedFromTheirHighestAbsentKeyAndListKeysAreLeftAlone) {
    PrepareMachine();
    const RegFile file = Backup(CollectTargets(services_));
    std::map<std::string, const Section*> byKey;
    for (const Section& s : file.sections) {
        byKey[std::string(s.deleteKey ? "-" : "") + RootName(s.root) + "\\" + s.path] = &s;
    }
    // No CLSID key at all: one deletion covers both Desktop rows below it.
    EXPECT_TRUE(byKey.count("-HKEY_CLASSES_ROOT\\CLSID"));
    EXPECT_FALSE(
        byKey.count("-HKEY_CLASSES_ROOT\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open"));
    // The verb that exists is there with its command; the ones that do not are deleted.
    ASSERT_TRUE(byKey.count("HKEY_CLASSES_ROOT\\Unknown\\shell\\View With Notepad\\command"));
    EXPECT_TRUE(byKey.count("-HKEY_CLASSES_ROOT\\Unknown\\shell\\View With Wordpad"));
    // A value that is missing from an existing key is deleted by name.
    const Section& policies = *byKey.at(std::string("HKEY_CURRENT_USER\\") + kPolicies);
    bool noFindDeleted = false;
    for (const ValueEntry& v : policies.values) {
        noFindDeleted = noFindDeleted || (v.name == "NoFind" && !v.value);
    }
    EXPECT_TRUE(noFindDeleted);
    // Missing Run keys are nobody's to delete; the listed entry comes whole, the unlisted not at all.
    EXPECT_FALSE(byKey.count("-HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    EXPECT_TRUE(byKey.count(std::string("HKEY_LOCAL_MACHINE\\") + kUninstall + "\\App\\Extra"));
    EXPECT_FALSE(byKey.count(std::string("HKEY_LOCAL_MACHINE\\") + kUninstall + "\\Unlisted"));
    // Sorted, each key once.
    for (std::size_t i = 1; i < file.sections.size(); ++i) {
        const Section& a = file.sections[i - 1];
        const Section& b = file.sections[i];
        EXPECT_TRUE(a.root != b.root || a.path != b.path) << a.path;
    }
}

TEST_F(CliBackupTest, ImportingTheWrittenBackupUndoesChangesOnEveryPageAndList) {
    PrepareMachine();
    std::string text;
    std::string error;
    ASSERT_TRUE(WriteRegFile(Backup(CollectTargets(services_)), text, error));
    const std::string before = Dump();

    for (const SettingRow& row : SettingRows()) {
        if (!row.locations.empty() && row.state != StateKind::kUserName &&
            row.state != StateKind::kPassword) {
            ChangeAndApply(row);
        }
    }
    UninstallList uninstall(services_);
    uninstall.Load();
    uninstall.ApplyEdit(std::string(kUninstall) + "\\App", UninstallEdit{true, true, "other.exe", "Renamed"},
                        0);
    ShellNewList shellNew(services_);
    shellNew.Load();
    shellNew.Remove({"Text Document"}, 0);
    Store().DeleteValue(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tray");
    ASSERT_NE(Dump(), before);

    const auto parsed = ParseRegFile(text, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_TRUE(ImportRegFile(fakes_.registry, *parsed));
    EXPECT_EQ(Dump(), before);
}

class CliDiffTest : public CliBackupTest {
  protected:
    std::vector<Difference> Diff(const RegFile& backup) {
        std::vector<Difference> differences;
        std::string error;
        EXPECT_TRUE(DiffBackup(services_, backup, differences, error)) << error;
        EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
        return differences;
    }
    static std::vector<std::string> Owners(const std::vector<Difference>& differences) {
        std::vector<std::string> owners;
        for (const Difference& d : differences) {
            if (owners.empty() || owners.back() != d.owner) {
                owners.push_back(d.owner);
            }
        }
        return owners;
    }
    const SettingRow& RowOf(Page page, int control) {
        for (const SettingRow& row : SettingRows()) {
            if (row.page == page && row.control == control) {
                return row;
            }
        }
        throw std::runtime_error("no row");
    }
};

TEST_F(CliDiffTest, NothingChangedMeansNoDifferences) {
    PrepareMachine();
    EXPECT_TRUE(Diff(Backup(CollectTargets(services_))).empty());
}

TEST_F(CliDiffTest, ListsExactlyTheChangedSettingsAndEntriesWithTheirValues) {
    PrepareMachine();
    const RegFile backup = Backup(CollectTargets(services_));

    ChangeAndApply(RowOf(Page::kDesktop, DesktopSettings::kShowInternetIconBox));    // deletes a value
    ChangeAndApply(RowOf(Page::kMiscellaneous, MiscSettings::kViewWithNotepadBox));  // deletes a verb
    ChangeAndApply(RowOf(Page::kMiscellaneous, MiscSettings::kOpenWithNotepadBox));  // adds a verb
    ChangeAndApply(RowOf(Page::kStartMenu, StartMenuSettings::kDelayEdit));          // edits a text
    UninstallList uninstall(services_);
    uninstall.Load();
    uninstall.ApplyEdit(std::string(kUninstall) + "\\App", UninstallEdit{false, true, "", "Renamed"}, 0);
    ShellNewList shellNew(services_);
    shellNew.Load();
    shellNew.Remove({"Text Document"}, 0);
    // Outside every place Velmora changes: not a difference.
    Store().WriteString(kHkcu, kPolicies, "SomethingElse", "x");
    // A new autorun entry is one of its list.
    Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "New", "new.exe");

    const auto differences = Diff(backup);
    EXPECT_EQ(Owners(differences),
              (std::vector<std::string>{
                  "Start Menu / Start Menu delay:", "Desktop / Show Internet Explorer Icon",
                  "Miscellaneous / Show \"View With Notepad\"", "Miscellaneous / Show \"Open with Notepad\"",
                  "Folders/Run / autorun entries (Current User)", "Add/Remove / Renamed",
                  "New / .txt",  // the description is not part of the backup
              }));
    std::map<std::string, std::pair<std::string, std::string>> byPlace;
    for (const Difference& d : differences) {
        byPlace[d.where] = {d.backup, d.now};
    }
    EXPECT_EQ(byPlace.at(std::string("HKEY_CURRENT_USER\\") + kPolicies + " [NoInternetIcon]"),
              std::make_pair(std::string("hex:01,00,00,00"), std::string("absent")));
    EXPECT_EQ(byPlace.at("HKEY_CURRENT_USER\\Control Panel\\Desktop [MenuShowDelay]"),
              std::make_pair(std::string("\"250\""), std::string("\"400\"")));
    EXPECT_EQ(byPlace.at("HKEY_CLASSES_ROOT\\Unknown\\shell\\View With Notepad (key)"),
              std::make_pair(std::string("present"), std::string("absent")));
    EXPECT_EQ(byPlace.at("HKEY_CLASSES_ROOT\\*\\shell\\Open with Notepad\\command [(default)]"),
              std::make_pair(std::string("absent"), std::string("\"notepad.exe %1\"")));
    EXPECT_EQ(byPlace.at("HKEY_CLASSES_ROOT\\.txt\\ShellNew [NullFile]"),
              std::make_pair(std::string("\"\""), std::string("absent")));
    EXPECT_EQ(byPlace.count(std::string("HKEY_CURRENT_USER\\") + kPolicies + " [SomethingElse]"), 0u);
    EXPECT_EQ(byPlace.at("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run [New]"),
              std::make_pair(std::string("absent"), std::string("\"new.exe\"")));
}

}  // namespace
}  // namespace velmora::cli
