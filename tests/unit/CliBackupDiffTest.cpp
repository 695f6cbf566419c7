#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <map>
#include <set>

#include "cli/core/Backup.h"
#include "cli/core/Diff.h"
#include "cli/core/PageSettings.h"
#include "registry/Names.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"
#include "settings/DesktopSettings.h"
#include "settings/Locations.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/ShellNewList.h"
#include "settings/StartMenuSettings.h"
#include "settings/UninstallList.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryDump.h"
#include "tests/support/Windows.h"

namespace velmora::cli {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;
constexpr const char* kPolicies = keys::kExplorerPolicies;
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
    // The same without the keys that hold no value anywhere below them: an import may leave those behind.
    std::string DumpOfFilledKeys() { return WithoutEmptyKeys(Dump()); }

    static std::string WithoutEmptyKeys(const std::string& dump) {
        std::vector<std::string> lines;
        for (std::size_t start = 0, end; start < dump.size(); start = end + 1) {
            end = dump.find('\n', start);
            lines.push_back(dump.substr(start, end - start));
        }
        const auto isKey = [&](std::size_t i) { return !lines[i].empty() && lines[i][0] == '['; };
        std::string out;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            bool filled = !isKey(i);
            if (isKey(i)) {
                // Keys come depth first: the key's subtree is the run of keys below it that follows it.
                const std::string below = lines[i].substr(0, lines[i].size() - 1) + "\\";
                for (std::size_t j = i + 1; j < lines.size() && !filled; ++j) {
                    if (isKey(j) && lines[j].rfind(below, 0) != 0) {
                        break;
                    }
                    filled = lines[j].rfind("  ", 0) == 0;
                }
            }
            if (filled) {
                out += lines[i] + "\n";
            }
        }
        return out;
    }

    // The row's setting turned to another state on its page and applied, as a user would.
    void ChangeAndApply(const ListedSetting& row) {
        const auto index = static_cast<std::size_t>(row.row);
        const auto apply = [](TableModel& model) { model.ApplyTouched(0); };
        switch (row.page) {
            case Page::kDesktop: {
                DesktopSettings d(services_);
                d.Load(testing::kWindows98Plus);
                if (row.state == Shown::kArrows) {
                    d.shortcutArrows = (d.shortcutArrows + 1) % 3;
                    ASSERT_TRUE(d.Touch(IDC_DESKTOP_ARROW_SMALL_RADIO, notify::kButtonClicked));
                } else if (row.state == Shown::kIconSize) {
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
                s.Load(testing::kWindows98Plus);
                if (row.state == Shown::kMenuDelay) {
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
                m.Load(testing::kWindows98Plus);
                m.check[index] ^= 1;
                ASSERT_TRUE(m.Touch(row.control, notify::kButtonClicked));
                apply(m);
                break;
            }
            case Page::kSecurity: {
                SecuritySettings s(services_);
                s.Load(testing::kWindows98Plus);
                s.check[index] ^= 1;
                if (row.row == SecuritySettings::kAutologon) {
                    s.userName = "user " + std::to_string(++changes_);
                    s.password = "password " + std::to_string(changes_);
                    s.ClickAutologon(0);
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

// How many rows of a page's table are kept in the registry (by themselves or by one of their parts), and
// how many of those are a key the page creates as a unit and deletes again.
struct RegistryRows {
    std::size_t kept = 0;
    std::size_t keys = 0;
};

template <class Model>
void CountRows(RegistryRows& count) {
    for (const auto& row : Model::Table()) {
        bool kept = row.at.key != nullptr;
        for (const RowPart& part : row.parts) {
            kept = kept || part.at.key != nullptr;
        }
        count.kept += kept ? 1 : 0;
        count.keys += row.at.key != nullptr && row.at.value == nullptr ? 1 : 0;
    }
}

// Counted from the four pages' tables, so that a new row changes the expectation with it.
RegistryRows CountTableRows() {
    RegistryRows count;
    CountRows<StartMenuSettings>(count);
    CountRows<DesktopSettings>(count);
    CountRows<MiscSettings>(count);
    CountRows<SecuritySettings>(count);
    return count;
}

std::vector<Target> TargetsOf(const std::vector<const ListedSetting*>& rows) {
    std::vector<Target> targets;
    for (const ListedSetting* row : rows) {
        for (const Location& l : row->locations) {
            targets.push_back(Target{l.kind == Location::kValue ? Target::kValue : Target::kTree, l.root,
                                     l.key, l.value, ""});
        }
    }
    return targets;
}

// The table's locations are checked against the models themselves: whatever applying a row writes or
// deletes, importing a backup of only that row's locations must undo, in both directions; a key the apply
// had to create on the way may stay behind empty.
TEST_F(CliBackupTest, ABackupOfARowsLocationsUndoesEverythingItsPageWrites) {
    PrepareMachine();
    std::map<std::pair<Page, int>, std::vector<const ListedSetting*>> groups;
    for (const ListedSetting& row : ListedSettings()) {
        if (!row.locations.empty()) {
            groups[{row.page, row.row}].push_back(&row);
        }
    }
    // One group per row kept in the registry: the listing neither loses nor merges rows.
    ASSERT_GT(CountTableRows().kept, 0u);
    ASSERT_EQ(groups.size(), CountTableRows().kept);
    for (const auto& [id, rows] : groups) {
        SCOPED_TRACE(std::string(PageName(id.first)) + " / " + rows.front()->caption);
        for (int round = 0; round < 2; ++round) {
            const RegFile backup = Backup(TargetsOf(rows));
            const std::string before = DumpOfFilledKeys();
            ChangeAndApply(*rows.front());
            const std::string changed = DumpOfFilledKeys();
            EXPECT_NE(changed, before) << "round " << round << ": applying changed nothing";
            EXPECT_TRUE(ImportRegFile(fakes_.registry, backup));
            EXPECT_EQ(DumpOfFilledKeys(), before) << "round " << round;
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

TEST_F(CliBackupTest, OnlyVerbKeysAreDeletedWhenAbsentAndListKeysAreLeftAlone) {
    PrepareMachine();
    const RegFile file = Backup(CollectTargets(services_));
    std::map<std::string, const Section*> byKey;
    for (const Section& s : file.sections) {
        byKey[std::string(s.deleteKey ? "-" : "") + RootName(s.root) + "\\" + s.path] = &s;
    }
    // No CLSID key at all: the My Computer verb is deleted, its parents are not; the Recycle Bin's value
    // is deleted by name under its absent key.
    EXPECT_TRUE(
        byKey.count("-HKEY_CLASSES_ROOT\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open"));
    const auto recycleBin =
        byKey.find("HKEY_CLASSES_ROOT\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder");
    ASSERT_NE(recycleBin, byKey.end());
    EXPECT_EQ(recycleBin->second->values, (std::vector<ValueEntry>{{"Attributes", std::nullopt}}));
    // The verb that exists is there with its command; the ones that do not are deleted, their shell
    // keys are not.
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

    for (const ListedSetting& row : ListedSettings()) {
        if (!row.locations.empty() && row.state != Shown::kUserName && row.state != Shown::kPassword) {
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
    EXPECT_EQ(DumpOfFilledKeys(), WithoutEmptyKeys(before));
}

// Keys present after one apply of a row and gone after the next: what the pages delete as a unit. A
// backup of a registry without any of them deletes exactly the highest of those, and nothing else.
TEST_F(CliBackupTest, EveryDeletedKeyIsOneThePagesThemselvesDeleteAsAUnit) {
    Store().WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion", "Version", "Windows 98");
    const auto keysOf = [](const std::string& dump) {
        std::set<std::string> keys;
        std::string root;
        for (std::size_t start = 0, end; start < dump.size(); start = end + 1) {
            end = dump.find('\n', start);
            const std::string line = dump.substr(start, end - start);
            if (line.rfind("== root ", 0) == 0) {
                root = line.substr(8);
            } else if (line.size() > 2 && line[0] == '[') {
                keys.insert(root + Lower(line.substr(1, line.size() - 2)));
            }
        }
        return keys;
    };
    const RegFile backup = Backup(CollectTargets(services_));
    std::set<std::string> deletedByPages;
    for (const ListedSetting& row : ListedSettings()) {
        if (row.locations.empty()) {
            continue;
        }
        for (int round = 0; round < 2; ++round) {
            const std::set<std::string> before = keysOf(Dump());
            ChangeAndApply(row);
            const std::set<std::string> after = keysOf(Dump());
            std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                                std::inserter(deletedByPages, deletedByPages.end()));
        }
    }
    std::set<std::string> highest;
    for (const std::string& key : deletedByPages) {
        const std::size_t slash = key.rfind('\\');
        if (!deletedByPages.count(key.substr(0, slash))) {
            highest.insert(key);
        }
    }
    std::set<std::string> deletedByBackup;
    for (const Section& section : backup.sections) {
        if (section.deleteKey) {
            deletedByBackup.insert(std::to_string(static_cast<unsigned>(section.root)) + "\\" +
                                   Lower(section.path));
        }
    }
    EXPECT_EQ(deletedByBackup, highest);
    // Every key row (today five verbs and My Computer's Open), each deleted from its own top.
    ASSERT_GT(CountTableRows().keys, 0u);
    EXPECT_EQ(highest.size(), CountTableRows().keys);
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
    const ListedSetting& RowOf(Page page, int control) {
        for (const ListedSetting& row : ListedSettings()) {
            if (row.page == page && row.control == control) {
                return row;
            }
        }
        throw std::runtime_error("no row");
    }
};

TEST_F(CliDiffTest, NothingChangedByVelmoraMeansNoDifferences) {
    PrepareMachine();
    const RegFile backup = Backup(CollectTargets(services_));
    EXPECT_TRUE(Diff(backup).empty());
    // Another program's value beside the settings and its subkey in a verb that existed: an import
    // leaves both, so they are not differences either.
    const std::string verb = "Unknown\\shell\\View With Notepad";
    Store().WriteString(kHkcu, kPolicies, "Another program", "x");
    Store().WriteString(RootKey::ClassesRoot, verb, "Another program", "x");
    Store().WriteString(RootKey::ClassesRoot, verb + "\\ddeexec", "", "[open]");
    EXPECT_TRUE(Diff(backup).empty());
}

TEST_F(CliDiffTest, ListsExactlyTheChangedSettingsAndEntriesWithTheirValues) {
    PrepareMachine();
    const RegFile backup = Backup(CollectTargets(services_));

    ChangeAndApply(RowOf(Page::kDesktop, IDC_DESKTOP_SHOW_INTERNET_ICON_BOX));    // deletes a value
    ChangeAndApply(RowOf(Page::kMiscellaneous, IDC_MISC_VIEW_WITH_NOTEPAD_BOX));  // deletes a verb
    ChangeAndApply(RowOf(Page::kMiscellaneous, IDC_MISC_OPEN_WITH_NOTEPAD_BOX));  // adds a verb
    ChangeAndApply(RowOf(Page::kStartMenu, IDC_STARTMENU_DELAY_EDIT));            // edits a text
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
    EXPECT_EQ(byPlace.at("HKEY_CURRENT_USER\\Control Panel\\desktop [MenuShowDelay]"),
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

// Where another program may keep its own data beside Velmora's: each value's key, and the shell key
// that holds a verb (not the verb itself, which is Velmora's to delete).
std::set<std::pair<RootKey, std::string>> NeighbourKeys() {
    std::set<std::pair<RootKey, std::string>> keys;
    for (const ListedSetting& row : ListedSettings()) {
        const bool verb = std::any_of(row.locations.begin(), row.locations.end(),
                                      [](const Location& l) { return l.kind == Location::kTree; });
        for (const Location& l : row.locations) {
            if (l.kind == Location::kTree) {
                keys.emplace(l.root, l.key.substr(0, l.key.rfind('\\')));
            } else if (!verb) {
                keys.emplace(l.root, l.key);
            }
        }
    }
    return keys;
}

void WriteAnotherProgramsData(Registry& registry) {
    RegistryStore store(registry);
    for (const auto& [root, key] : NeighbourKeys()) {
        store.WriteString(root, key, "Another program", "its value");
        store.WriteString(root, key + "\\Another program", "Data", "its subkey");
    }
}

// A machine where none of the keys Velmora writes exist yet: a backup, every setting changed on its page,
// another program's value and subkey written beside each of them, and the backup read back and imported
// as regedit would. Velmora's changes are gone, the other program's data stays, and diff agrees.
TEST_F(CliDiffTest, ARestoreTakesBackVelmorasChangesAndLeavesAnotherProgramsDataBesideThem) {
    const auto prepare = [](Registry& registry) {
        RegistryStore store(registry);
        store.WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion", "Version", "Windows 98");
        store.WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon", "Shell",
                          "Explorer.exe");
    };
    prepare(fakes_.registry);
    std::string text;
    std::string error;
    ASSERT_TRUE(WriteRegFile(Backup(CollectTargets(services_)), text, error));

    for (const ListedSetting& row : ListedSettings()) {
        if (!row.locations.empty() && row.state != Shown::kUserName && row.state != Shown::kPassword) {
            ChangeAndApply(row);
        }
    }
    WriteAnotherProgramsData(fakes_.registry);
    ASSERT_GT(NeighbourKeys().size(), 15u);
    for (const Difference& d : Diff(*ParseRegFile(text, error))) {
        EXPECT_EQ(d.where.find("Another program"), std::string::npos) << d.where;
    }

    const auto parsed = ParseRegFile(text, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_TRUE(ImportRegFile(fakes_.registry, *parsed));

    MemoryRegistry expected;
    prepare(expected);
    WriteAnotherProgramsData(expected);
    // Key names compared without case: a key keeps the spelling of whoever created it first.
    EXPECT_EQ(Lower(DumpOfFilledKeys()), Lower(WithoutEmptyKeys(testing::DumpRegistry(expected))));
    const auto kept = ReadValue(fakes_.registry, kHkcu, std::string(kPolicies) + "\\Another program", "Data");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Text(), "its subkey");
    EXPECT_FALSE(KeyExists(fakes_.registry, RootKey::ClassesRoot, "Unknown\\shell\\View With Notepad"));
    EXPECT_TRUE(Diff(*parsed).empty());
}

// Backup and diff match places by LowerName: for every byte it folds as std::tolower does in the C locale
// the companion runs in, A to Z and nothing else.
TEST(CliNames, LowerNameFoldsEveryByteAsTheCLocaleDoes) {
    std::string bytes;
    for (int c = 0; c < 256; ++c) {
        bytes.push_back(static_cast<char>(c));
    }
    EXPECT_EQ(LowerName(bytes), Lower(bytes));
    EXPECT_EQ(LowerName("HKEY_CURRENT_USER\\Software\\\xC4"), "hkey_current_user\\software\\\xC4");
}

}  // namespace
}  // namespace velmora::cli
