#include "settings/FolderRunList.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "registry/RegKey.h"
#include "registry/ValueReader.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryDump.h"

namespace velmora {
namespace {

using F = FolderRunList;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunServices = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kImportant = "Velmora 99 - Important";

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// An editor that records what it was shown and answers as scripted.
struct ScriptedEditor {
    ScriptedEditor(bool ok, bool changed, std::string newText) : answer{ok, changed, std::move(newText)} {}

    F::EditResult answer;
    int shown = 0;
    std::string name;
    std::string text;

    F::RunEditor Run() {
        return [this](const std::string& n, const std::string& t) {
            ++shown;
            name = n;
            text = t;
            return answer;
        };
    }
};

class FolderRunListTest : public ::testing::Test {
  protected:
    void Put(RootKey root, const char* path, const std::string& name, std::uint32_t type,
             const std::vector<std::uint8_t>& data) {
        RegKey key;
        ASSERT_EQ(key.Create(fakes_.registry, ToHKey(root), path, reg::kAllAccess), reg::kSuccess);
        ASSERT_EQ(fakes_.registry.SetValue(key.Get(), name, type, data.data(),
                                           static_cast<std::uint32_t>(data.size())),
                  reg::kSuccess);
    }
    void PutText(RootKey root, const char* path, const std::string& name, std::string_view text) {
        auto data = Bytes(text);
        data.push_back(0);
        Put(root, path, name, reg::kSz, data);
    }
    // The stored type and bytes of a value, or nothing.
    std::optional<std::pair<std::uint32_t, std::vector<std::uint8_t>>> Raw(RootKey root, const char* path,
                                                                           const std::string& name) {
        RegKey key;
        if (key.Open(fakes_.registry, ToHKey(root), path, reg::kRead) != reg::kSuccess) {
            return std::nullopt;
        }
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (fakes_.registry.QueryValue(key.Get(), name, &type, nullptr, &size) != reg::kSuccess) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> data(size);
        fakes_.registry.QueryValue(key.Get(), name, &type, data.data(), &size);
        return std::pair{type, data};
    }
    std::string Dump() { return testing::DumpRegistry(fakes_.registry); }
    std::vector<FakeMessageBoxes::Shown>& Shown() { return fakes_.messages.shown; }

    FakeServices fakes_;
    F model_{fakes_.Get()};
};

TEST_F(FolderRunListTest, SystemFoldersAreTheShellFoldersValuesOrAnErrorWhenTheKeyIsMissing) {
    model_.LoadFolders();
    EXPECT_TRUE(model_.Folders().empty());
    EXPECT_EQ(model_.pathText, "Error!");
    EXPECT_FALSE(model_.enabled.folderList);

    FolderRunList fresh(fakes_.Get());
    PutText(RootKey::CurrentUser, kShellFolders, "Personal", "C:\\My Documents");
    PutText(RootKey::CurrentUser, kShellFolders, "Desktop", "C:\\WINDOWS\\Desktop");
    PutText(RootKey::CurrentUser, kShellFolders, "Start Menu", "C:\\WINDOWS\\Start Menu");
    fresh.LoadFolders();
    EXPECT_EQ(Sorted(fresh.Folders()), (std::vector<std::string>{"Desktop", "Personal", "Start Menu"}));
    EXPECT_EQ(fresh.pathText, "Mark folder name above to see path Here!");
    EXPECT_TRUE(fresh.enabled.folderList);
    EXPECT_FALSE(fresh.enabled.changePath);
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(FolderRunListTest, ANameOfAHundredCharactersEndsTheListing) {
    // The registry here enumerates in name order: the long name stops the listing of both lists, the
    // names after it included; 99 characters still fit the 100-byte buffer.
    const std::string fits(99, 'B');
    const std::string tooLong(100, 'C');
    for (const char* path : {kShellFolders, kRun}) {
        PutText(RootKey::CurrentUser, path, "A short one", "x");
        PutText(RootKey::CurrentUser, path, fits, "x");
        PutText(RootKey::CurrentUser, path, tooLong, "x");
        PutText(RootKey::CurrentUser, path, "D after it", "x");
    }
    model_.Load();
    const std::vector<std::string> expected{"A short one", fits};
    EXPECT_EQ(model_.Folders(), expected);
    EXPECT_EQ(model_.Autoruns(), expected);
    // A listing that stops early is not a read error.
    EXPECT_EQ(model_.pathText, F::kPathHint);
    EXPECT_TRUE(model_.enabled.folderList);
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(FolderRunListTest, EachComboItemListsItsOwnRunKey) {
    PutText(RootKey::CurrentUser, kRun, "user", "u.exe");
    PutText(RootKey::LocalMachine, kRun, "machine", "m.exe");
    PutText(RootKey::LocalMachine, kRunServices, "service", "s.exe");
    // Same path under the other root, and the services key under the current user: neither is read.
    PutText(RootKey::CurrentUser, kRunServices, "decoy", "d.exe");

    const std::vector<std::string> expected[] = {{"user"}, {"machine"}, {"service"}};
    for (int index = 0; index < 3; ++index) {
        model_.source = index;
        model_.LoadAutoruns();
        EXPECT_EQ(model_.Autoruns(), expected[index]) << kAutorunSources[index].comboText;
    }
    EXPECT_STREQ(kAutorunSources[0].comboText, "Current User");
    EXPECT_STREQ(kAutorunSources[1].comboText, "Local Machine");
    EXPECT_STREQ(kAutorunSources[2].comboText, "Services");

    // A missing Run key is simply an empty list, with no notice.
    FakeServices empty;
    FolderRunList bare(empty.Get());
    bare.Load();
    EXPECT_TRUE(bare.Autoruns().empty());
    EXPECT_TRUE(empty.messages.shown.empty());
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(FolderRunListTest, SelectingAFolderShowsItsPathAndEnablesChangePath) {
    PutText(RootKey::CurrentUser, kShellFolders, "Personal", "C:\\My Documents");
    Put(RootKey::CurrentUser, kShellFolders, "Odd", reg::kBinary, Bytes(std::string("D:\\X\0junk", 10)));
    Put(RootKey::CurrentUser, kShellFolders, "Unterminated", reg::kBinary, Bytes("E:\\Y"));
    model_.LoadFolders();

    model_.SelectFolder("Personal");
    EXPECT_EQ(model_.pathText, "C:\\My Documents");
    EXPECT_TRUE(model_.enabled.changePath);
    model_.SelectFolder("Odd");
    EXPECT_EQ(model_.pathText, "D:\\X");
    model_.SelectFolder("Unterminated");
    EXPECT_EQ(model_.pathText, "E:\\Y");
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(FolderRunListTest, ChangePathAsksOnlyAfterOkWithAChangeAndAlwaysAsksForARestart) {
    struct Case {
        const char* name;
        bool ok;
        bool changed;
        int answer;
        bool asks;
        bool writes;
    };
    const Case cases[] = {
        {"Cancel", false, true, mb::kIdYes, false, false},
        {"OkUnchanged", true, false, mb::kIdYes, false, false},
        {"OkChangedNo", true, true, mb::kIdNo, true, false},
        {"OkChangedYes", true, true, mb::kIdYes, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeServices fakes;
        FolderRunList model(fakes.Get());
        {
            RegKey key;
            ASSERT_EQ(
                key.Create(fakes.registry, ToHKey(RootKey::CurrentUser), kShellFolders, reg::kAllAccess),
                reg::kSuccess);
            const auto old = Bytes(std::string("C:\\My Documents", 16));
            fakes.registry.SetValue(key.Get(), "Personal", reg::kSz, old.data(), 16);
            fakes.registry.SetValue(key.Get(), "Desktop", reg::kSz, old.data(), 16);
        }
        model.LoadFolders();
        model.SelectFolder("Personal");
        const std::string before = testing::DumpRegistry(fakes.registry);
        const unsigned reads = model.FolderReads();
        fakes.messages.answers.push_back(c.answer);

        ScriptedEditor editor(c.ok, c.changed, "D:\\Docs");
        model.ChangeFolderPath(std::string("Personal"), editor.Run(), 5);

        EXPECT_EQ(editor.shown, 1);
        EXPECT_EQ(editor.name, "Personal");
        EXPECT_EQ(editor.text, "C:\\My Documents");
        ASSERT_EQ(fakes.messages.shown.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            const auto& box = fakes.messages.shown[0];
            EXPECT_EQ(box.text,
                      "You're about to change the searchpath for a System Folder. Do you want to continue?");
            EXPECT_EQ(box.caption, kImportant);
            EXPECT_EQ(box.style, mb::kYesNo | mb::kIconQuestion);
            EXPECT_EQ(box.owner, 5u);
        }
        const auto stored = ReadValue(fakes.registry, RootKey::CurrentUser, kShellFolders, "Personal");
        ASSERT_TRUE(stored);
        if (c.writes) {
            EXPECT_EQ(stored->Bytes(), Bytes(std::string("D:\\Docs", 8)));
        } else {
            EXPECT_EQ(testing::DumpRegistry(fakes.registry), before);
        }
        // Every attempt: button off, list read again with the hint, restart wanted.
        EXPECT_TRUE(model.RestartNeeded());
        EXPECT_FALSE(model.enabled.changePath);
        EXPECT_EQ(model.FolderReads(), reads + 1);
        EXPECT_EQ(model.pathText, F::kPathHint);
        EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
    }
}

TEST_F(FolderRunListTest, TheChangedPathIsStoredAsTextWhateverTheValueHeldBefore) {
    Put(RootKey::CurrentUser, kShellFolders, "Fonts", reg::kBinary, {1, 2, 3, 4});
    model_.LoadFolders();
    model_.SelectFolder("Fonts");
    fakes_.messages.answers.push_back(mb::kIdYes);
    ScriptedEditor editor(true, true, "C:\\WINDOWS\\FONTS");
    model_.ChangeFolderPath(std::string("Fonts"), editor.Run(), 0);
    const auto raw = Raw(RootKey::CurrentUser, kShellFolders, "Fonts");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->first, static_cast<std::uint32_t>(reg::kSz));
    EXPECT_EQ(raw->second, Bytes(std::string("C:\\WINDOWS\\FONTS", 17)));
}

TEST_F(FolderRunListTest, DeleteAfterYesRemovesOnlyThatValueAndReadsTheListAgain) {
    PutText(RootKey::CurrentUser, kRun, "One", "one.exe");
    PutText(RootKey::CurrentUser, kRun, "Two", "two.exe");
    PutText(RootKey::LocalMachine, kRun, "One", "machine.exe");
    model_.Load();
    model_.SelectAutorun();
    ASSERT_TRUE(model_.enabled.deleteEntry && model_.enabled.editEntry);

    fakes_.messages.answers.push_back(mb::kIdYes);
    model_.DeleteAutorun(std::string("One"), 9);

    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "You're about to delete an AutoRun Program. Do you want to continue?");
    EXPECT_EQ(Shown()[0].caption, kImportant);
    EXPECT_EQ(Shown()[0].style, mb::kYesNo | mb::kIconQuestion);
    EXPECT_FALSE(Raw(RootKey::CurrentUser, kRun, "One"));
    EXPECT_TRUE(Raw(RootKey::CurrentUser, kRun, "Two"));
    EXPECT_TRUE(Raw(RootKey::LocalMachine, kRun, "One"));
    EXPECT_EQ(model_.Autoruns(), (std::vector<std::string>{"Two"}));
    EXPECT_FALSE(model_.enabled.deleteEntry);
    EXPECT_FALSE(model_.enabled.editEntry);
    EXPECT_FALSE(model_.RestartNeeded());
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(FolderRunListTest, DeleteAfterNoWritesNothing) {
    PutText(RootKey::LocalMachine, kRunServices, "Svc", "svc.exe");
    model_.source = 2;
    model_.LoadAutoruns();
    model_.SelectAutorun();
    const std::string before = Dump();
    const unsigned reads = model_.AutorunReads();
    model_.DeleteAutorun(std::string("Svc"), 0);  // the fake answers No
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(model_.AutorunReads(), reads + 1);
    EXPECT_FALSE(model_.enabled.deleteEntry);
}

TEST_F(FolderRunListTest, DeletingAValueThatIsAlreadyGoneSaysSoAndTheListNoLongerShowsIt) {
    PutText(RootKey::CurrentUser, kRun, "Gone", "g.exe");
    PutText(RootKey::CurrentUser, kRun, "Stays", "s.exe");
    model_.Load();
    {
        RegKey key;
        key.Open(fakes_.registry, ToHKey(RootKey::CurrentUser), kRun, reg::kAllAccess);
        fakes_.registry.DeleteValue(key.Get(), "Gone");
    }
    fakes_.messages.answers.push_back(mb::kIdYes);
    model_.DeleteAutorun(std::string("Gone"), 3);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1].text, "Couldn\xC2\xB4t remove Gone");
    EXPECT_EQ(Shown()[1].caption, "Velmora 99 - Error");
    EXPECT_EQ(Shown()[1].style, mb::kOk | mb::kIconStop);
    EXPECT_EQ(Shown()[1].owner, 3u);
    EXPECT_EQ(model_.Autoruns(), (std::vector<std::string>{"Stays"}));
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(FolderRunListTest, TheFailureMessageShowsTheNameLiterallyAndWhole) {
    const std::string formatLike = "%s%n%x";
    const std::string sixtyFour(64, 'n');
    const std::string ninetyNine = std::string(60, 'a') + "bcdefghij" + std::string(30, 'z');
    model_.Load();  // none of them exists: each delete fails
    for (const std::string& name : {formatLike, sixtyFour, ninetyNine}) {
        fakes_.messages.answers.push_back(mb::kIdYes);
        model_.DeleteAutorun(name, 0);
    }
    ASSERT_EQ(Shown().size(), 6u);
    EXPECT_EQ(Shown()[1].text, "Couldn\xC2\xB4t remove %s%n%x");
    EXPECT_EQ(Shown()[3].text, "Couldn\xC2\xB4t remove " + sixtyFour);
    EXPECT_EQ(Shown()[5].text, "Couldn\xC2\xB4t remove " + ninetyNine);
}

TEST_F(FolderRunListTest, DeleteOrEditWithNoSelectionDoesNothingAtAll) {
    // The Run key's default value is what an empty name would reach.
    PutText(RootKey::CurrentUser, kRun, "", "default.exe");
    PutText(RootKey::CurrentUser, kRun, "Entry", "entry.exe");
    model_.Load();
    model_.SelectAutorun();
    model_.source = 1;  // the source changed: the list is read again, the buttons stay on
    model_.LoadAutoruns();
    const std::string before = Dump();
    const unsigned reads = model_.AutorunReads();
    fakes_.messages.defaultAnswer = mb::kIdYes;
    ScriptedEditor editor(true, true, "evil.exe");

    model_.DeleteAutorun(std::nullopt, 0);
    model_.EditAutorun(std::nullopt, editor.Run(), 0);
    model_.ChangeFolderPath(std::nullopt, editor.Run(), 0);

    EXPECT_EQ(editor.shown, 0);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(model_.AutorunReads(), reads);
    EXPECT_TRUE(model_.enabled.deleteEntry);
    EXPECT_TRUE(model_.enabled.editEntry);
    EXPECT_FALSE(model_.RestartNeeded());
}

TEST_F(FolderRunListTest, EditStoresTheNewCommandAsTextUnderTheSameNameAfterYes) {
    Put(RootKey::LocalMachine, kRunServices, "Tool", reg::kBinary, Bytes(std::string("old.exe\0xx", 10)));
    PutText(RootKey::LocalMachine, kRunServices, "Other", "other.exe");
    model_.source = 2;
    model_.LoadAutoruns();
    model_.SelectAutorun();
    fakes_.messages.answers.push_back(mb::kIdYes);
    ScriptedEditor editor(true, true, "C:\\new.exe /q");

    model_.EditAutorun(std::string("Tool"), editor.Run(), 4);

    EXPECT_EQ(editor.name, "Tool");
    EXPECT_EQ(editor.text, "old.exe");
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text,
              "You're about to change the searchpath for an AutoRun Program. Do you want to continue?");
    EXPECT_EQ(Shown()[0].caption, kImportant);
    EXPECT_EQ(Shown()[0].style, mb::kYesNo | mb::kIconQuestion);
    const auto raw = Raw(RootKey::LocalMachine, kRunServices, "Tool");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->first, static_cast<std::uint32_t>(reg::kSz));
    EXPECT_EQ(raw->second, Bytes(std::string("C:\\new.exe /q", 14)));
    EXPECT_TRUE(
        ReadValue(fakes_.registry, RootKey::LocalMachine, kRunServices, "Other")->TextEquals("other.exe"));
    EXPECT_EQ(Sorted(model_.Autoruns()), (std::vector<std::string>{"Other", "Tool"}));
    EXPECT_FALSE(model_.enabled.editEntry);
    EXPECT_FALSE(model_.RestartNeeded());
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(FolderRunListTest, EditWritesNothingUnlessOkWithAChangeAndYes) {
    PutText(RootKey::CurrentUser, kRun, "App", "app.exe");
    model_.Load();
    const std::string before = Dump();
    struct Case {
        bool ok;
        bool changed;
        int answer;
        std::size_t questions;
    };
    for (const Case& c : {Case{false, true, mb::kIdYes, 0}, Case{true, false, mb::kIdYes, 0},
                          Case{true, true, mb::kIdNo, 1}}) {
        Shown().clear();
        fakes_.messages.answers = {c.answer};
        model_.SelectAutorun();
        ScriptedEditor editor(c.ok, c.changed, "changed.exe");
        model_.EditAutorun(std::string("App"), editor.Run(), 0);
        EXPECT_EQ(editor.shown, 1);
        EXPECT_EQ(Shown().size(), c.questions);
        EXPECT_EQ(Dump(), before);
        EXPECT_FALSE(model_.enabled.deleteEntry);
    }
}

TEST_F(FolderRunListTest, AnAutorunValueThatIsNotTextShowsAsItsBytesUpToTheFirstZero) {
    Put(RootKey::CurrentUser, kRun, "Dword", reg::kDword, {'a', 'b', 'c', 0});
    Put(RootKey::CurrentUser, kRun, "NoZero", reg::kBinary, {'x', 'y'});
    Put(RootKey::CurrentUser, kRun, "Empty", reg::kBinary, {});
    model_.Load();
    const std::pair<const char*, const char*> cases[] = {{"Dword", "abc"}, {"NoZero", "xy"}, {"Empty", ""}};
    for (const auto& [name, shown] : cases) {
        ScriptedEditor editor(false, false, "");
        model_.EditAutorun(std::string(name), editor.Run(), 0);
        EXPECT_EQ(editor.text, shown) << name;
    }
    // A value removed meanwhile opens the editor empty.
    ScriptedEditor editor(false, false, "");
    model_.EditAutorun(std::string("Vanished"), editor.Run(), 0);
    EXPECT_EQ(editor.shown, 1);
    EXPECT_EQ(editor.text, "");
}

}  // namespace
}  // namespace velmora
