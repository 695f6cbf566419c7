// Removing a large selection from the New list: every selected line is matched to its entry in one
// pass over the list, and a description shared by several entries must still reach the first of them,
// every time it is selected.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ShellNewList.h"
#include "system/fakes/FakeServices.h"

namespace velmora {
namespace {

constexpr WindowRef kOwner = 0x1234;
constexpr int kExtensions = 400;

std::string Extension(int i) {
    char name[16];
    std::snprintf(name, sizeof name, ".e%03d", i);
    return name;
}

// Every fourth extension from the second on shares the file type (and so the description) of the one
// before it; the others have a type of their own. Even ones carry "ShellNew" directly, odd ones under
// their file type subkey.
int TypeOf(int i) {
    return i % 4 == 1 ? i - 1 : i;
}

std::string ShellNewKey(int i) {
    const std::string type = "type" + std::to_string(TypeOf(i));
    return i % 2 == 0 ? Extension(i) + "\\ShellNew" : Extension(i) + "\\" + type + "\\ShellNew";
}

class ShellNewRemoveManyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegistryStore store(fakes_.registry);
        for (int i = 0; i < kExtensions; ++i) {
            const std::string type = "type" + std::to_string(TypeOf(i));
            store.WriteString(RootKey::ClassesRoot, Extension(i), "", type);
            store.WriteString(RootKey::ClassesRoot, type, "", "Document " + std::to_string(TypeOf(i)));
            store.WriteString(RootKey::ClassesRoot, ShellNewKey(i), "NullFile", "");
        }
        list_.Load();
    }
    bool Has(const std::string& path) { return KeyExists(fakes_.registry, RootKey::ClassesRoot, path); }

    FakeServices fakes_;
    Services services_ = fakes_.Get();
    ShellNewList list_{services_};
};

TEST_F(ShellNewRemoveManyTest, EverySelectedLineReachesTheFirstEntryOfItsDescription) {
    ASSERT_EQ(list_.Entries().size(), static_cast<std::size_t>(kExtensions));
    // All lines selected, as the sorted list box hands them over.
    std::vector<std::string> selected;
    for (const ShellNewEntry& entry : list_.Entries()) {
        selected.push_back(entry.description);
    }
    std::sort(selected.begin(), selected.end());

    list_.Remove(selected, kOwner);

    int sharers = 0;
    for (int i = 0; i < kExtensions; ++i) {
        if (TypeOf(i) == i) {
            EXPECT_FALSE(Has(ShellNewKey(i))) << Extension(i) << " is the first of its description";
        } else {
            ++sharers;
            EXPECT_TRUE(Has(ShellNewKey(i)))
                << Extension(i) << " is only ever reached through " << Extension(i - 1);
        }
    }
    // Each second line of a shared description finds the first entry's key already gone.
    EXPECT_EQ(fakes_.messages.shown.size(), static_cast<std::size_t>(sharers));
    for (const auto& failure : fakes_.messages.shown) {
        EXPECT_EQ(failure.text, "Couldn't Remove Value.");
    }
    // The reload lists exactly the entries whose keys stayed, in registry order.
    ASSERT_EQ(list_.Entries().size(), static_cast<std::size_t>(sharers));
    EXPECT_EQ(list_.Entries().front().keyPath, Extension(1) + "\\type0");
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(ShellNewRemoveManyTest, LinesNoLongerListedAreSkippedAndTheRestRemoved) {
    list_.Remove({"Document 8", "No such document", "Document 2", "Document 8"}, kOwner);
    EXPECT_FALSE(Has(ShellNewKey(8)));
    EXPECT_FALSE(Has(ShellNewKey(2)));
    EXPECT_TRUE(Has(ShellNewKey(9)));
    // Only the second "Document 8" fails; the unknown line asks nothing and reports nothing.
    EXPECT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(list_.Entries().size(), static_cast<std::size_t>(kExtensions - 2));
}

}  // namespace
}  // namespace velmora
