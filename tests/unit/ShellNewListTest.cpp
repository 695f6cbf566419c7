#include "settings/ShellNewList.h"

#include <gtest/gtest.h>

#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RegistryDump.h"

namespace velmora {
namespace {

constexpr WindowRef kOwner = 0x4321;

// A registry dump without one key of HKEY_CLASSES_ROOT (a key without subkeys) and its values.
std::string WithoutKey(const std::string& dump, const std::string& path) {
    const std::string header = "[\\" + path + "]\n";
    const auto at = dump.find(header);
    if (at == std::string::npos) {
        return dump;
    }
    auto end = at + header.size();
    while (end < dump.size() && dump[end] == ' ') {  // the key's value lines
        end = dump.find('\n', end) + 1;
    }
    return dump.substr(0, at) + dump.substr(end);
}

class ShellNewListTest : public ::testing::Test {
  protected:
    void SetDefault(const std::string& path, const std::string& text) {
        RegistryStore(fakes_.registry).WriteString(RootKey::ClassesRoot, path, "", text);
    }
    void MakeKey(const std::string& path) {
        RegistryStore(fakes_.registry).WriteString(RootKey::ClassesRoot, path, "NullFile", "");
    }
    bool Has(const std::string& path) { return KeyExists(fakes_.registry, RootKey::ClassesRoot, path); }
    // An extension of file type `type` (described as `description`) with "ShellNew" directly under it.
    void AddDirect(const std::string& extension, const std::string& type, const std::string& description) {
        SetDefault(extension, type);
        SetDefault(type, description);
        MakeKey(extension + "\\ShellNew");
    }
    std::vector<std::pair<std::string, std::string>> Listed() const {
        std::vector<std::pair<std::string, std::string>> listed;
        for (const auto& entry : list_.Entries()) {
            listed.emplace_back(entry.description, entry.keyPath);
        }
        return listed;
    }
    using Listing = std::vector<std::pair<std::string, std::string>>;

    FakeServices fakes_;
    Services services_ = fakes_.Get();
    ShellNewList list_{services_};
};

TEST_F(ShellNewListTest, ListsBothPlacesOfShellNewWithTheFileTypesDescription) {
    AddDirect(".txt", "txtfile", "Text Document");
    // ShellNew only under the subkey named after the file type.
    SetDefault(".doc", "Word.Document.8");
    SetDefault("Word.Document.8", "Word Document");
    MakeKey(".doc\\Word.Document.8\\ShellNew");
    // Not offered: no ShellNew at all, a file type subkey without ShellNew, a ShellNew under a key that is
    // not an extension.
    SetDefault(".bmp", "Paint.Picture");
    SetDefault("Paint.Picture", "Bitmap Image");
    SetDefault(".zip", "zipfile");
    MakeKey(".zip\\zipfile");
    SetDefault("zipfile", "Archive");
    MakeKey("txtfile\\ShellNew");
    list_.Load();
    EXPECT_EQ(Listed(), (Listing{{"Word Document", ".doc\\Word.Document.8"}, {"Text Document", ".txt"}}));
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);

    // A load replaces the previous entries.
    list_.Load();
    EXPECT_EQ(list_.Entries().size(), 2u);
}

TEST_F(ShellNewListTest, RemovingDeletesOnlyTheShellNewKeyOfEachSelectedEntryWithoutAQuestion) {
    AddDirect(".txt", "txtfile", "Text Document");
    SetDefault(".doc", "Word.Document.8");
    SetDefault("Word.Document.8", "Word Document");
    MakeKey(".doc\\Word.Document.8\\ShellNew");
    AddDirect(".bmp", "Paint.Picture", "Bitmap Image");
    list_.Load();
    const std::string before = testing::DumpRegistry(fakes_.registry);

    list_.Remove({"Text Document", "Word Document"}, kOwner);
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_FALSE(Has(".txt\\ShellNew"));
    EXPECT_FALSE(Has(".doc\\Word.Document.8\\ShellNew"));
    // Everything else stays: the extensions, the file type keys and their subkeys, the other entry.
    EXPECT_TRUE(Has(".doc\\Word.Document.8"));
    EXPECT_TRUE(Has("txtfile"));
    EXPECT_TRUE(Has(".bmp\\ShellNew"));
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry),
              WithoutKey(WithoutKey(before, ".txt\\ShellNew"), ".doc\\Word.Document.8\\ShellNew"));
    // The list is read again.
    EXPECT_EQ(Listed(), (Listing{{"Bitmap Image", ".bmp"}}));
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(ShellNewListTest, OnlyTheExactNameDotLnkIsPassedOverForADirectShellNew) {
    AddDirect(".lnk", "lnkfile", "Shortcut");
    list_.Load();
    EXPECT_TRUE(list_.Entries().empty());

    // A ShellNew under its file type subkey still lists it.
    MakeKey(".lnk\\lnkfile\\ShellNew");
    list_.Load();
    EXPECT_EQ(Listed(), (Listing{{"Shortcut", ".lnk\\lnkfile"}}));

    // The comparison is case-sensitive: the same name in capitals is an ordinary extension.
    FakeServices other;
    RegistryStore store(other.registry);
    store.WriteString(RootKey::ClassesRoot, ".LNK", "", "lnkfile");
    store.WriteString(RootKey::ClassesRoot, "lnkfile", "", "Shortcut");
    store.WriteString(RootKey::ClassesRoot, ".LNK\\ShellNew", "NullFile", "");
    ShellNewList capitals(other.Get());
    capitals.Load();
    ASSERT_EQ(capitals.Entries().size(), 1u);
    EXPECT_EQ(capitals.Entries()[0].keyPath, ".LNK");
}

TEST_F(ShellNewListTest, TwoExtensionsOfOneTypeSelectedTogetherRemoveTheFirstAndReportTheSecond) {
    AddDirect(".htm", "htmlfile", "HTML Document");
    AddDirect(".html", "htmlfile", "HTML Document");
    list_.Load();
    ASSERT_EQ(Listed(), (Listing{{"HTML Document", ".htm"}, {"HTML Document", ".html"}}));

    list_.Remove({"HTML Document", "HTML Document"}, kOwner);
    EXPECT_FALSE(Has(".htm\\ShellNew"));
    EXPECT_TRUE(Has(".html\\ShellNew"));
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    const auto& failure = fakes_.messages.shown[0];
    EXPECT_EQ(failure.owner, kOwner);
    EXPECT_EQ(failure.text, "Couldn't Remove Value.");
    EXPECT_EQ(failure.caption, "Velmora 99 - Error");
    EXPECT_EQ(failure.style, mb::kOk | mb::kIconExclamation);
    EXPECT_EQ(Listed(), (Listing{{"HTML Document", ".html"}}));
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(ShellNewListTest, AFailingItemIsReportedAndTheOthersAreStillRemoved) {
    AddDirect(".aaa", "aaafile", "Alpha");
    AddDirect(".bbb", "bbbfile", "Beta");
    AddDirect(".ccc", "cccfile", "Gamma");
    // A ShellNew with subkeys of its own cannot be deleted (Windows NT refuses it).
    MakeKey(".bbb\\ShellNew\\Template");
    list_.Load();
    list_.Remove({"Alpha", "Beta", "Gamma"}, kOwner);
    EXPECT_EQ(fakes_.journal, (Journal{"MessageBox(Velmora 99 - Error)"}));
    EXPECT_FALSE(Has(".aaa\\ShellNew"));
    EXPECT_TRUE(Has(".bbb\\ShellNew\\Template"));
    EXPECT_FALSE(Has(".ccc\\ShellNew"));
    EXPECT_EQ(Listed(), (Listing{{"Beta", ".bbb"}}));

    // A text that is no longer listed is passed over.
    fakes_.journal.clear();
    const std::string before = testing::DumpRegistry(fakes_.registry);
    list_.Remove({"Alpha"}, kOwner);
    EXPECT_TRUE(fakes_.journal.empty());
    EXPECT_EQ(testing::DumpRegistry(fakes_.registry), before);
}

TEST_F(ShellNewListTest, WithoutFileTypeOrDescriptionTheExtensionsOwnNameIsListedAndCanBeRemoved) {
    MakeKey(".notype\\ShellNew");  // no default value at all
    SetDefault(".emptytype", "");  // an empty file type name
    MakeKey(".emptytype\\ShellNew");
    SetDefault(".nodesc", "nodescfile");  // the file type key does not exist
    MakeKey(".nodesc\\ShellNew");
    SetDefault(".blankdesc", "blankfile");  // an empty description
    SetDefault("blankfile", "");
    MakeKey(".blankdesc\\ShellNew");
    SetDefault(".undescribed", "undescribedfile");  // ShellNew under the type subkey, no description
    MakeKey("undescribedfile");
    MakeKey(".undescribed\\undescribedfile\\ShellNew");
    // Without a file type a ShellNew can only be looked for directly under the extension.
    MakeKey(".orphan");
    list_.Load();
    EXPECT_EQ(Listed(), (Listing{{".blankdesc", ".blankdesc"},
                                 {".emptytype", ".emptytype"},
                                 {".nodesc", ".nodesc"},
                                 {".notype", ".notype"},
                                 {".undescribed", ".undescribed\\undescribedfile"}}));

    list_.Remove({".notype", ".undescribed"}, kOwner);
    EXPECT_FALSE(Has(".notype\\ShellNew"));
    EXPECT_FALSE(Has(".undescribed\\undescribedfile\\ShellNew"));
    EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(ShellNewListTest, AKeyNameOfAHundredCharactersEndsTheListing) {
    AddDirect(".a", "afile", "First");
    AddDirect(".b" + std::string(98, 'x'), "bfile", "Too Long");  // 100 characters
    AddDirect(".c", "cfile", "After");
    list_.Load();
    EXPECT_EQ(Listed(), (Listing{{"First", ".a"}}));

    // 99 characters still fit the buffer with the terminating zero.
    FakeServices other;
    RegistryStore store(other.registry);
    store.WriteString(RootKey::ClassesRoot, ".b" + std::string(97, 'x'), "", "bfile");
    store.WriteString(RootKey::ClassesRoot, "bfile", "", "Fits");
    store.WriteString(RootKey::ClassesRoot, ".b" + std::string(97, 'x') + "\\ShellNew", "NullFile", "");
    store.WriteString(RootKey::ClassesRoot, ".c\\ShellNew", "NullFile", "");
    ShellNewList fits(other.Get());
    fits.Load();
    EXPECT_EQ(fits.Entries().size(), 2u);
}

}  // namespace
}  // namespace velmora
