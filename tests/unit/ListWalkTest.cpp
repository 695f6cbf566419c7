// The three list walks as the start-up reader runs them: what each costs in registry calls on a prepared
// registry (a count, so that calls the page does not need cannot creep back), what the reader hands over
// and when it stops, and the pages' models before and after a list arrives.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "registry/RegistryStore.h"
#include "settings/Locations.h"
#include "settings/StartupLists.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryCallKinds.h"

namespace velmora {
namespace {

using Call = MemoryRegistry::Call;
using Counts = std::map<std::string, unsigned>;

constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Every kind of call made since the counters were reset, by name; kinds not called are left out.
Counts CallsMade(const MemoryRegistry& registry) {
    Counts counts;
    for (const auto& [call, name] : kRegistryCallKinds) {
        if (registry.Calls(call) != 0) {
            counts[name] = registry.Calls(call);
        }
    }
    return counts;
}

void Text(Registry& registry, RootKey root, const std::string& path, const std::string& name,
          const std::string& text) {
    RegistryStore(registry).WriteString(root, path, name, text);
}

// HKEY_CLASSES_ROOT with one extension of each kind the New walk tells apart, and `plain` more
// extensions that have a file type but no subkeys (most extensions of a real registry).
void PrepareClasses(Registry& registry, int plain) {
    const RootKey hkcr = RootKey::ClassesRoot;
    Text(registry, hkcr, ".direct", "", "directfile");  // "ShellNew" right under the extension
    Text(registry, hkcr, ".direct\\ShellNew", "NullFile", "");
    Text(registry, hkcr, "directfile", "", "Direct Document");
    Text(registry, hkcr, ".nested", "", "nestedfile");  // "ShellNew" under the file type subkey
    Text(registry, hkcr, ".nested\\nestedfile\\ShellNew", "NullFile", "");
    Text(registry, hkcr, "nestedfile", "", "Nested Document");
    Text(registry, hkcr, ".typed", "", "typedfile");  // a file type subkey without "ShellNew"
    Text(registry, hkcr, ".typed\\typedfile", "x", "");
    Text(registry, hkcr, ".lnk", "", "lnkfile");  // its own "ShellNew" is not a New entry
    Text(registry, hkcr, ".lnk\\ShellNew", "NullFile", "");
    for (int i = 0; i < plain; ++i) {
        Text(registry, hkcr, ".plain" + std::to_string(i), "", "plainfile");
    }
    Text(registry, hkcr, "plainfile", "", "Plain");
}

// Uninstall entries with both values, one of them, neither, and a command longer than the first read.
void PrepareUninstall(Registry& registry) {
    const RootKey hklm = RootKey::LocalMachine;
    const std::string key = std::string(kUninstall) + "\\";
    Text(registry, hklm, key + "Both", "DisplayName", "Both Values");
    Text(registry, hklm, key + "Both", "UninstallString", "C:\\both\\uninst.exe");
    Text(registry, hklm, key + "LongCommand", "DisplayName", "Long Command");
    Text(registry, hklm, key + "LongCommand", "UninstallString", "C:\\" + std::string(300, 'x') + ".exe");
    Text(registry, hklm, key + "NameOnly", "DisplayName", "Name Only");
    Text(registry, hklm, key + "CommandOnly", "UninstallString", "C:\\c\\uninst.exe");
    Text(registry, hklm, key + "Neither", "Publisher", "Someone");
}

void PrepareFolderRun(Registry& registry) {
    const std::string shellFolders = keys::kShellFolders;
    Text(registry, RootKey::CurrentUser, shellFolders, "Desktop", "C:\\WINDOWS\\Desktop");
    Text(registry, RootKey::CurrentUser, shellFolders, "Personal", "C:\\My Documents");
    Text(registry, RootKey::CurrentUser, kRun, "Tray", "tray.exe");
}

struct WalkCost {
    const char* walk;
    int plainExtensions;
    Counts calls;
};

// Per key of HKEY_CLASSES_ROOT one enumeration call; per extension key without subkeys one open, one
// enumeration call and one close, nothing read; per uninstall entry one open, one read per value looked
// at (two for a value longer than the first buffer), one close; per list of value names one open, one
// call per name and one to end, one close.
const WalkCost kWalkCosts[] = {
    // .direct: open, subkeys?, open+close "ShellNew", read file type, open+read+close its description,
    // close. .nested: the same with a failed open of the direct "ShellNew" first. .typed: open,
    // subkeys?, two failed opens, one read, close. .lnk: open, subkeys?, read, a failed open, close.
    // Plus the root's open and close, and one enumeration per key and one to end (seven keys).
    {"New",
     0,
     {{"open", 1 + 3 + 4 + 3 + 2},
      {"close", 1 + 3 + 3 + 1 + 1},
      {"query", 2 + 2 + 1 + 1},
      {"enum key", 8 + 4}}},
    // Each extension without subkeys adds exactly four calls.
    {"New", 100, {{"open", 13 + 100}, {"close", 9 + 100}, {"query", 6}, {"enum key", 12 + 200}}},
    // Five entries: each opened and closed; Both and LongCommand read two values (LongCommand's command
    // twice), NameOnly reads two, CommandOnly and Neither one.
    {"Add/Remove", 0, {{"open", 1 + 5}, {"close", 1 + 5}, {"query", 2 + 3 + 2 + 1 + 1}, {"enum key", 6}}},
    // Shell Folders (two names) and the Run key (one name).
    {"Folders/Run", 0, {{"open", 2}, {"close", 2}, {"enum value", 3 + 2}}},
};

TEST(ListWalk, EachWalkMakesOnlyTheCallsItsPageNeeds) {
    for (const WalkCost& cost : kWalkCosts) {
        SCOPED_TRACE(std::string(cost.walk) + " with " + std::to_string(cost.plainExtensions) +
                     " plain extensions");
        FakeServices fakes;
        PrepareClasses(fakes.registry, cost.plainExtensions);
        PrepareUninstall(fakes.registry);
        PrepareFolderRun(fakes.registry);
        const std::string walk = cost.walk;
        std::size_t listed = 0;
        fakes.registry.ResetCallCounts();
        // The synchronous loads the pages make after an edit walk exactly as the start-up reader does.
        if (walk == "New") {
            ShellNewList list(fakes.Get());
            list.Load();
            listed = list.Entries().size();
            EXPECT_EQ(listed, 2u);
        } else if (walk == "Add/Remove") {
            UninstallList list(fakes.Get());
            list.Load();
            listed = list.Entries().size();
            EXPECT_EQ(listed, 2u);
        } else {
            FolderRunList list(fakes.Get());
            list.Load();
            listed = list.Folders().size() + list.Autoruns().size();
            EXPECT_EQ(listed, 3u);
        }
        EXPECT_EQ(CallsMade(fakes.registry), cost.calls);
        EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
    }
}

// A registry with all three lists, for the reader.
struct ReaderFixture : ::testing::Test {
    ReaderFixture() {
        PrepareClasses(fakes.registry, 20);
        PrepareUninstall(fakes.registry);
        PrepareFolderRun(fakes.registry);
    }
    std::vector<std::unique_ptr<StartupList>> ReadAll(const StopRequested& stop = {}) {
        std::vector<std::unique_ptr<StartupList>> delivered;
        ReadStartupLists(fakes.registry, stop, [&delivered](std::unique_ptr<StartupList> list) {
            delivered.push_back(std::move(list));
        });
        return delivered;
    }

    FakeServices fakes;
};

TEST_F(ReaderFixture, TheReaderHandsOverEachListAsASynchronousLoadReadsIt) {
    // The pages before their lists arrive: empty, waiting, no path text.
    FolderRunList folderRun(fakes.Get());
    UninstallList uninstall(fakes.Get());
    ShellNewList shellNew(fakes.Get());
    EXPECT_TRUE(folderRun.Waiting());
    EXPECT_TRUE(uninstall.Waiting());
    EXPECT_TRUE(shellNew.Waiting());
    EXPECT_TRUE(folderRun.Folders().empty() && folderRun.Autoruns().empty() && folderRun.pathText.empty());
    EXPECT_TRUE(uninstall.Entries().empty());
    EXPECT_TRUE(shellNew.Entries().empty());

    auto delivered = ReadAll();
    ASSERT_EQ(delivered.size(), 3u);
    EXPECT_EQ(delivered[0]->page, StartupList::Page::kFolderRun);
    EXPECT_EQ(delivered[1]->page, StartupList::Page::kUninstall);
    EXPECT_EQ(delivered[2]->page, StartupList::Page::kShellNew);
    EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);

    // Delivered to the pages' models, the lists are what the synchronous loads read.
    folderRun.source = -1;  // the combo's empty selection, read when the page was left meanwhile
    EXPECT_TRUE(folderRun.AdoptRead(std::move(delivered[0]->folderRun)));
    EXPECT_EQ(folderRun.source, 0);
    EXPECT_TRUE(uninstall.AdoptRead(std::move(delivered[1]->uninstall)));
    EXPECT_TRUE(shellNew.AdoptRead(std::move(delivered[2]->shellNew)));
    FolderRunList folderRunLoaded(fakes.Get());
    UninstallList uninstallLoaded(fakes.Get());
    ShellNewList shellNewLoaded(fakes.Get());
    folderRunLoaded.Load();
    uninstallLoaded.Load();
    shellNewLoaded.Load();
    EXPECT_FALSE(folderRun.Waiting() || uninstall.Waiting() || shellNew.Waiting());
    EXPECT_EQ(folderRun.Folders(), folderRunLoaded.Folders());
    EXPECT_EQ(folderRun.Autoruns(), folderRunLoaded.Autoruns());
    EXPECT_EQ(folderRun.pathText, FolderRunList::kPathHint);
    EXPECT_TRUE(folderRun.enabled.folderList);
    EXPECT_FALSE(folderRun.enabled.changePath || folderRun.enabled.deleteEntry ||
                 folderRun.enabled.editEntry);
    ASSERT_EQ(uninstall.Entries().size(), uninstallLoaded.Entries().size());
    for (std::size_t i = 0; i < uninstall.Entries().size(); ++i) {
        EXPECT_EQ(uninstall.Entries()[i].displayName, uninstallLoaded.Entries()[i].displayName);
        EXPECT_EQ(uninstall.Entries()[i].uninstallCommand, uninstallLoaded.Entries()[i].uninstallCommand);
        EXPECT_EQ(uninstall.Entries()[i].keyPath, uninstallLoaded.Entries()[i].keyPath);
    }
    ASSERT_EQ(shellNew.Entries().size(), shellNewLoaded.Entries().size());
    for (std::size_t i = 0; i < shellNew.Entries().size(); ++i) {
        EXPECT_EQ(shellNew.Entries()[i].description, shellNewLoaded.Entries()[i].description);
        EXPECT_EQ(shellNew.Entries()[i].keyPath, shellNewLoaded.Entries()[i].keyPath);
    }
    EXPECT_NE(shellNew.Find("Nested Document"), nullptr);
}

TEST_F(ReaderFixture, AListReadAfterAnEditIsNeverReplacedByALateArrival) {
    auto delivered = ReadAll();
    ASSERT_EQ(delivered.size(), 3u);
    FolderRunList folderRun(fakes.Get());
    UninstallList uninstall(fakes.Get());
    ShellNewList shellNew(fakes.Get());
    // Read on the window's thread first (a removal, or the reader could not be started).
    Text(fakes.registry, RootKey::ClassesRoot, ".added\\ShellNew", "NullFile", "");
    shellNew.Load();
    uninstall.Load();
    folderRun.LoadAutoruns();
    const auto shellNewBefore = shellNew.Entries().size();
    EXPECT_FALSE(shellNew.AdoptRead(std::move(delivered[2]->shellNew)));
    EXPECT_EQ(shellNew.Entries().size(), shellNewBefore);
    EXPECT_NE(shellNew.Find(".added"), nullptr);
    EXPECT_FALSE(uninstall.AdoptRead({}));
    EXPECT_EQ(uninstall.Entries().size(), 2u);
    // Either of its lists read makes the Folders/Run page refuse both.
    EXPECT_FALSE(folderRun.AdoptRead(std::move(delivered[0]->folderRun)));
    EXPECT_TRUE(folderRun.Folders().empty());
    EXPECT_EQ(folderRun.Autoruns(), std::vector<std::string>{"Tray"});
}

TEST_F(ReaderFixture, AMissingShellFoldersKeyArrivesAsTheErrorALoadShows) {
    ASSERT_EQ(fakes.registry.DeleteKey(ToHKey(RootKey::CurrentUser), keys::kShellFolders), reg::kSuccess);
    auto delivered = ReadAll();
    ASSERT_FALSE(delivered.empty());
    FolderRunList folderRun(fakes.Get());
    ASSERT_TRUE(folderRun.AdoptRead(std::move(delivered[0]->folderRun)));
    EXPECT_EQ(folderRun.pathText, FolderRunList::kPathError);
    EXPECT_FALSE(folderRun.enabled.folderList);
    EXPECT_EQ(folderRun.Autoruns(), std::vector<std::string>{"Tray"});
}

TEST_F(ReaderFixture, ARequestToStopEndsTheWalkAtTheNextKeyAndNothingMoreIsHandedOver) {
    // Asked before every key: a whole run asks at least once per key of HKEY_CLASSES_ROOT.
    unsigned asked = 0;
    ASSERT_EQ(ReadAll([&asked] {
                  ++asked;
                  return false;
              }).size(),
              3u);
    const unsigned classKeys = 4 + 20 + 3;
    EXPECT_GT(asked, classKeys);

    // Stopped at every point of the run in turn: the lists read before the stop are handed over
    // whole, none after it, no key stays open and nothing is written.
    for (unsigned stopAt = 1; stopAt <= asked; ++stopAt) {
        SCOPED_TRACE("stopped at ask " + std::to_string(stopAt));
        unsigned count = 0;
        fakes.registry.ResetCallCounts();
        const auto delivered = ReadAll([&count, stopAt] { return ++count >= stopAt; });
        EXPECT_EQ(count, stopAt);
        EXPECT_LT(delivered.size(), 3u);
        for (std::size_t i = 0; i < delivered.size(); ++i) {
            EXPECT_EQ(static_cast<std::size_t>(delivered[i]->page), i);
        }
        EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
        const Counts made = CallsMade(fakes.registry);
        EXPECT_EQ(
            made.count("set") + made.count("create") + made.count("delete key") + made.count("delete value"),
            0u);
    }
}

}  // namespace
}  // namespace velmora
