#include "settings/UninstallList.h"

#include <gtest/gtest.h>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryDump.h"

namespace velmora {
namespace {

constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kRemoveText =
    "You will not be able to uninstall this program if you remove it from the Add/Remove list.\r\n\r\n"
    "Remove the entry anyway?";
constexpr const char* kCommandText =
    "Your about to change the searchpath for uninstall. Do you want to continue?";
constexpr WindowRef kOwner = 0x1234;

std::string PathOf(const std::string& subkey) {
    return std::string(kUninstall) + "\\" + subkey;
}

class UninstallListTest : public ::testing::Test {
  protected:
    // A subkey of the Uninstall key with the values given (null: value absent).
    void AddProgram(const std::string& subkey, const char* displayName, const char* command) {
        const RegistryStore store(fakes_.registry);
        store.WriteString(RootKey::LocalMachine, PathOf(subkey), "Publisher", "Someone");
        if (displayName != nullptr) {
            store.WriteString(RootKey::LocalMachine, PathOf(subkey), "DisplayName", displayName);
        }
        if (command != nullptr) {
            store.WriteString(RootKey::LocalMachine, PathOf(subkey), "UninstallString", command);
        }
    }
    // A value's type and bytes as stored, or type 0 and nothing when it is missing.
    std::pair<std::uint32_t, std::vector<std::uint8_t>> Stored(const std::string& subkey, const char* name) {
        RegKey key;
        if (key.Open(fakes_.registry, ToHKey(RootKey::LocalMachine), PathOf(subkey), reg::kRead) !=
            reg::kSuccess) {
            return {0, {}};
        }
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (fakes_.registry.QueryValue(key.Get(), name, &type, nullptr, &size) != reg::kSuccess) {
            return {0, {}};
        }
        std::vector<std::uint8_t> bytes(size);
        fakes_.registry.QueryValue(key.Get(), name, &type, bytes.data(), &size);
        return {type, bytes};
    }
    static std::vector<std::uint8_t> Sz(const std::string& text) {
        std::vector<std::uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return bytes;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : list_.Entries()) {
            names.push_back(entry.displayName);
        }
        return names;
    }
    bool KeyPresent(const std::string& subkey) {
        return KeyExists(fakes_.registry, RootKey::LocalMachine, PathOf(subkey));
    }

    FakeServices fakes_;
    Services services_ = fakes_.Get();
    UninstallList list_{services_};
};

TEST_F(UninstallListTest, ListsOnlySubkeysWithBothValuesInRegistryOrder) {
    AddProgram("Zeta", "Zeta Player", "C:\\zeta\\uninst.exe");
    AddProgram("Alpha", "Alpha Tools", "C:\\alpha\\remove.exe /q");
    AddProgram("NameOnly", "Name Only", nullptr);
    AddProgram("CommandOnly", nullptr, "C:\\x\\uninst.exe");
    AddProgram("Neither", nullptr, nullptr);
    list_.Load();
    ASSERT_EQ(list_.Entries().size(), 2u);
    const UninstallEntry& first = list_.Entries()[0];
    EXPECT_EQ(first.displayName, "Alpha Tools");
    EXPECT_EQ(first.uninstallCommand, "C:\\alpha\\remove.exe /q");
    EXPECT_EQ(first.keyPath, PathOf("Alpha"));
    EXPECT_EQ(list_.Entries()[1].displayName, "Zeta Player");
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);

    // A load replaces the previous entries rather than adding to them.
    RegistryStore(fakes_.registry).DeleteKey(RootKey::LocalMachine, kUninstall, "Zeta");
    list_.Load();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha Tools"}));
    EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(UninstallListTest, AMissingKeyOrALongSubkeyNameEndsTheList) {
    list_.Load();
    EXPECT_TRUE(list_.Entries().empty());

    // Names are read into 100 bytes: a subkey name of 100 characters stops the walk there.
    AddProgram("A", "First", "a.exe");
    AddProgram("B" + std::string(99, 'x'), "Too Long", "b.exe");
    AddProgram("C", "After", "c.exe");
    list_.Load();
    EXPECT_EQ(Names(), (std::vector<std::string>{"First"}));
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(UninstallListTest, EqualDisplayNamesAreBothListedAndReachedThroughTheFirst) {
    AddProgram("Second", "Same Name", "second.exe");
    AddProgram("First", "Same Name", "first.exe");
    list_.Load();
    ASSERT_EQ(Names(), (std::vector<std::string>{"Same Name", "Same Name"}));
    ASSERT_NE(list_.Find("Same Name"), nullptr);
    EXPECT_EQ(list_.Find("Same Name")->keyPath, PathOf("First"));
    // The lookup is exact: another case or a prefix is not the same name.
    EXPECT_EQ(list_.Find("same name"), nullptr);
    EXPECT_EQ(list_.Find("Same"), nullptr);

    // Edit through the found entry writes the first key only.
    UninstallEdit edit;
    edit.descriptionChanged = true;
    edit.description = "Renamed";
    list_.ApplyEdit(list_.Find("Same Name")->keyPath, edit, kOwner);
    EXPECT_EQ(Stored("First", "DisplayName").second, Sz("Renamed"));
    EXPECT_EQ(Stored("Second", "DisplayName").second, Sz("Same Name"));

    // Remove deletes the first of two equal names again.
    RegistryStore(fakes_.registry)
        .WriteString(RootKey::LocalMachine, PathOf("First"), "DisplayName", "Same Name");
    list_.Load();
    fakes_.messages.answers = {mb::kIdYes};
    EXPECT_TRUE(list_.Remove("Same Name", kOwner, "Velmora"));
    EXPECT_FALSE(KeyPresent("First"));
    EXPECT_TRUE(KeyPresent("Second"));
    ASSERT_EQ(list_.Entries().size(), 1u);
    EXPECT_EQ(list_.Entries()[0].keyPath, PathOf("Second"));
}

TEST_F(UninstallListTest, RemoveAsksWithNoAsTheDefaultAndNoLeavesEverything) {
    AddProgram("Prog", "My Program", "uninst.exe");
    list_.Load();
    const std::string before = testing::DumpRegistry(fakes_.registry);
    fakes_.messages.answers = {mb::kIdNo};
    EXPECT_FALSE(list_.Remove("My Program", kOwner, "Velmora"));
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    const auto& question = fakes_.messages.shown[0];
    EXPECT_EQ(question.owner, kOwner);
    EXPECT_EQ(question.text, kRemoveText);
    EXPECT_EQ(question.caption, "Velmora 99 - My Program");
    EXPECT_EQ(question.style, mb::kYesNo | mb::kIconQuestion | mb::kDefButton2);
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
    EXPECT_EQ(list_.Entries().size(), 1u);

    fakes_.messages.answers = {mb::kIdYes};
    EXPECT_TRUE(list_.Remove("My Program", kOwner, "Velmora"));
    EXPECT_FALSE(KeyPresent("Prog"));
    EXPECT_TRUE(KeyExists(fakes_.registry, RootKey::LocalMachine, kUninstall));
    EXPECT_TRUE(list_.Entries().empty());
    EXPECT_EQ(fakes_.messages.shown.size(), 2u);  // no failure reported
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(UninstallListTest, AKeyThatCannotBeDeletedIsReportedUnderTheProgramsNameAndStaysListed) {
    AddProgram("Prog", "My Program", "uninst.exe");
    // A key with subkeys is refused, as Windows NT does.
    RegistryStore(fakes_.registry).WriteString(RootKey::LocalMachine, PathOf("Prog") + "\\Sub", "", "x");
    list_.Load();
    fakes_.messages.answers = {mb::kIdYes};
    EXPECT_TRUE(list_.Remove("My Program", kOwner, "Velmora"));
    ASSERT_EQ(fakes_.messages.shown.size(), 2u);
    const auto& failure = fakes_.messages.shown[1];
    EXPECT_EQ(failure.text, "Couldn\xC2\xB4t remove My Program");
    EXPECT_EQ(failure.caption, "Velmora");
    EXPECT_EQ(failure.style, mb::kOk);
    EXPECT_TRUE(KeyPresent("Prog"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"My Program"}));
}

TEST_F(UninstallListTest, NamesGoIntoTheTextsVerbatimAndVeryLongOnesAreShortened) {
    const std::string tricky = "100% sure %s%n%d";
    const std::string longName = "Suite " + std::string(300, 'w');
    AddProgram("Tricky", tricky.c_str(), "t.exe");
    AddProgram("Long", longName.c_str(), "l.exe");
    RegistryStore(fakes_.registry).WriteString(RootKey::LocalMachine, PathOf("Tricky") + "\\Sub", "", "x");
    RegistryStore(fakes_.registry).WriteString(RootKey::LocalMachine, PathOf("Long") + "\\Sub", "", "x");
    list_.Load();
    fakes_.messages.defaultAnswer = mb::kIdYes;
    list_.Remove(tricky, kOwner, "Velmora");
    list_.Remove(longName, kOwner, "Velmora");
    ASSERT_EQ(fakes_.messages.shown.size(), 4u);
    EXPECT_EQ(fakes_.messages.shown[0].caption, "Velmora 99 - " + tricky);
    EXPECT_EQ(fakes_.messages.shown[1].text, "Couldn\xC2\xB4t remove " + tricky);

    const std::string shortened = longName.substr(0, kLongestNameInMessage - 3) + "...";
    EXPECT_EQ(fakes_.messages.shown[2].caption, "Velmora 99 - " + shortened);
    EXPECT_EQ(fakes_.messages.shown[3].text, "Couldn\xC2\xB4t remove " + shortened);
    // A name of exactly the limit is shown whole; the limit and the cut count characters, not bytes.
    const std::string atLimit(kLongestNameInMessage, 'n');
    EXPECT_EQ(NameForMessage(atLimit), atLimit);
    std::string cyrillic;
    for (std::size_t i = 0; i < kLongestNameInMessage; ++i) {
        cyrillic += "\xD0\x96";  // Ж, two bytes
    }
    EXPECT_EQ(NameForMessage(cyrillic), cyrillic);
    const std::string longer = cyrillic + "\xD0\x96";
    EXPECT_EQ(NameForMessage(longer), cyrillic.substr(0, 2 * (kLongestNameInMessage - 3)) + "...");
}

TEST_F(UninstallListTest, EditingOnlyTheDescriptionWritesItWithoutAQuestion) {
    AddProgram("Prog", "Old Name", "uninst.exe");
    list_.Load();
    UninstallEdit edit;
    edit.descriptionChanged = true;
    edit.description = "New Name";
    edit.command = "ignored.exe";  // not marked as changed
    list_.ApplyEdit(PathOf("Prog"), edit, kOwner);
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(Stored("Prog", "DisplayName"), std::make_pair(std::uint32_t{reg::kSz}, Sz("New Name")));
    EXPECT_EQ(Stored("Prog", "UninstallString").second, Sz("uninst.exe"));
    // The list is read again.
    EXPECT_EQ(Names(), (std::vector<std::string>{"New Name"}));
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(UninstallListTest, EditingTheCommandAsksFirstAndNoStillWritesTheDescription) {
    AddProgram("Prog", "Old Name", "uninst.exe");
    list_.Load();
    UninstallEdit edit;
    edit.commandChanged = true;
    edit.command = "C:\\new\\uninst.exe /x";
    fakes_.messages.answers = {mb::kIdYes};
    list_.ApplyEdit(PathOf("Prog"), edit, kOwner);
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(fakes_.messages.shown[0].text, kCommandText);
    EXPECT_EQ(fakes_.messages.shown[0].caption, "Velmora 99 - Important");
    EXPECT_EQ(fakes_.messages.shown[0].style, mb::kYesNo | mb::kIconQuestion);
    EXPECT_EQ(Stored("Prog", "UninstallString"),
              std::make_pair(std::uint32_t{reg::kSz}, Sz("C:\\new\\uninst.exe /x")));
    EXPECT_EQ(list_.Entries()[0].uninstallCommand, "C:\\new\\uninst.exe /x");

    // Both changed, No to the question: only the description is written.
    edit.command = "other.exe";
    edit.descriptionChanged = true;
    edit.description = "Renamed";
    fakes_.messages.answers = {mb::kIdNo};
    list_.ApplyEdit(PathOf("Prog"), edit, kOwner);
    EXPECT_EQ(fakes_.messages.shown.size(), 2u);
    EXPECT_EQ(Stored("Prog", "UninstallString").second, Sz("C:\\new\\uninst.exe /x"));
    EXPECT_EQ(Stored("Prog", "DisplayName").second, Sz("Renamed"));
}

TEST_F(UninstallListTest, AnEditWithoutChangesOrOnAVanishedKeyWritesNothing) {
    AddProgram("Prog", "Name", "uninst.exe");
    list_.Load();
    const std::string before = testing::DumpRegistry(fakes_.registry);
    list_.ApplyEdit(PathOf("Prog"), UninstallEdit{false, false, "x.exe", "X"}, kOwner);
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);

    // The entry was removed meanwhile: its key is not created again.
    RegistryStore(fakes_.registry).DeleteKey(RootKey::LocalMachine, kUninstall, "Prog");
    fakes_.messages.answers = {mb::kIdYes};
    list_.ApplyEdit(PathOf("Prog"), UninstallEdit{true, true, "x.exe", "X"}, kOwner);
    EXPECT_FALSE(KeyPresent("Prog"));
    EXPECT_TRUE(list_.Entries().empty());
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(UninstallListTest, RemovingANameThatIsNotListedAsksNothing) {
    AddProgram("Prog", "Name", "uninst.exe");
    list_.Load();
    const std::string before = testing::DumpRegistry(fakes_.registry);
    EXPECT_FALSE(list_.Remove("", kOwner, "Velmora"));
    EXPECT_FALSE(list_.Remove("Other", kOwner, "Velmora"));
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
}

}  // namespace
}  // namespace velmora
