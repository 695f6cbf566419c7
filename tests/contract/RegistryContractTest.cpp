// One suite, two registries: these tests run on the host against the in-memory registry and under Wine
// against the real one, and must pass on both. They work below a scratch key of the current user's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "tests/contract/ContractRegistry.h"

namespace velmora {
namespace {

constexpr RootKey kRoot = RootKey::CurrentUser;
constexpr const char* kScratch = "Software\\VelmoraContractTest";

std::string Under(const std::string& path) {
    return std::string(kScratch) + "\\" + path;
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

class RegistryContract : public ::testing::Test {
  protected:
    void SetUp() override {
        registry_ = MakeContractRegistry();
        DeleteTree(ToHKey(kRoot), kScratch);
        ASSERT_FALSE(KeyExists(*registry_, kRoot, kScratch));
    }
    void TearDown() override { DeleteTree(ToHKey(kRoot), kScratch); }

    // Deletes a key with everything below it, deepest first.
    void DeleteTree(HKey parent, const std::string& path) {
        {
            RegKey key;
            if (key.Open(*registry_, parent, path, reg::kAllAccess) != reg::kSuccess) {
                return;
            }
            for (std::string name; registry_->EnumKey(key.Get(), 0, 256, name) == reg::kSuccess;) {
                DeleteTree(key.Get(), name);
            }
        }
        registry_->DeleteKey(parent, path);
    }

    // The raw value as stored: type and bytes.
    bool Query(const std::string& path, const std::string& name, std::uint32_t& type,
               std::vector<std::uint8_t>& data) {
        RegKey key;
        if (key.Open(*registry_, ToHKey(kRoot), path, reg::kRead) != reg::kSuccess) {
            return false;
        }
        std::uint32_t size = 0;
        if (registry_->QueryValue(key.Get(), name, &type, nullptr, &size) != reg::kSuccess) {
            return false;
        }
        data.assign(size, 0);
        return registry_->QueryValue(key.Get(), name, &type, data.data(), &size) == reg::kSuccess &&
               size == data.size();
    }

    void SetRaw(const std::string& path, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data) {
        RegKey key;
        ASSERT_EQ(key.Create(*registry_, ToHKey(kRoot), path, reg::kAllAccess), reg::kSuccess);
        ASSERT_EQ(
            registry_->SetValue(key.Get(), name, type, data.data(), static_cast<std::uint32_t>(data.size())),
            reg::kSuccess);
    }

    std::vector<std::string> SubkeyNames(const std::string& path) {
        std::vector<std::string> names;
        RegKey key;
        std::string name;
        if (key.Open(*registry_, ToHKey(kRoot), path, reg::kRead) == reg::kSuccess) {
            for (std::uint32_t i = 0; registry_->EnumKey(key.Get(), i, 256, name) == reg::kSuccess; ++i) {
                names.push_back(name);
            }
        }
        return names;
    }

    std::vector<std::string> ValueNames(const std::string& path) {
        std::vector<std::string> names;
        RegKey key;
        std::string name;
        if (key.Open(*registry_, ToHKey(kRoot), path, reg::kRead) == reg::kSuccess) {
            for (std::uint32_t i = 0;
                 registry_->EnumValue(key.Get(), i, 256, name, nullptr, nullptr, nullptr) == reg::kSuccess;
                 ++i) {
                names.push_back(name);
            }
        }
        return names;
    }

    std::unique_ptr<Registry> registry_;
};

TEST_F(RegistryContract, WritesStoreExactTypesAndLengths) {
    RegistryStore store(*registry_);
    EXPECT_EQ(store.WriteString(kRoot, kScratch, "Text", "abc"), reg::kSuccess);
    EXPECT_EQ(store.WriteBinary(kRoot, kScratch, "Flag", kFlagOn), reg::kSuccess);
    EXPECT_EQ(store.WriteDword(kRoot, kScratch, "Number", 0x12345678), reg::kSuccess);
    EXPECT_EQ(store.WriteString(kRoot, kScratch, "Ansi", "Couldn\xC2\xB4t remove "), reg::kSuccess);

    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(Query(kScratch, "Text", type, data));
    EXPECT_EQ(type, reg::kSz);
    EXPECT_EQ(data, Bytes({0x61, 0x62, 0x63, 0x00}));
    ASSERT_TRUE(Query(kScratch, "Flag", type, data));
    EXPECT_EQ(type, reg::kBinary);
    EXPECT_EQ(data, Bytes({1, 0, 0, 0}));
    ASSERT_TRUE(Query(kScratch, "Number", type, data));
    EXPECT_EQ(type, reg::kDword);
    EXPECT_EQ(data, Bytes({0x78, 0x56, 0x34, 0x12}));
    // A character outside ASCII goes in and comes out as the same UTF-8.
    ASSERT_TRUE(Query(kScratch, "Ansi", type, data));
    EXPECT_EQ(std::string(data.begin(), data.end()),
              std::string("Couldn\xC2\xB4t remove ") + std::string(1, '\0'));
}

TEST_F(RegistryContract, BinaryWriteCreatesEveryMissingKeyOnThePath) {
    const std::string path = Under("Policies\\Explorer");
    ASSERT_FALSE(KeyExists(*registry_, kRoot, Under("Policies")));
    RegistryStore(*registry_).WriteBinary(kRoot, path, "NoNetHood", kFlagOn);
    EXPECT_TRUE(KeyExists(*registry_, kRoot, Under("Policies")));
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(Query(path, "NoNetHood", type, data));
    EXPECT_EQ(type, reg::kBinary);
    EXPECT_EQ(data, Bytes({1, 0, 0, 0}));
}

TEST_F(RegistryContract, AWriteReplacesAValueOfAnotherTypeWhole) {
    RegistryStore store(*registry_);
    store.WriteString(kRoot, kScratch, "NoRealMode", "a much longer text than four bytes");
    store.WriteDword(kRoot, kScratch, "NoRealMode", 1);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(Query(kScratch, "NoRealMode", type, data));
    EXPECT_EQ(type, reg::kDword);
    EXPECT_EQ(data, Bytes({1, 0, 0, 0}));
}

// Deleting what is already absent succeeds: the registry holds what was asked for.
TEST_F(RegistryContract, DeletesNeverCreateAndLeaveEmptiedKeys) {
    RegistryStore store(*registry_);
    EXPECT_EQ(store.DeleteValue(kRoot, Under("Missing"), "Value"), reg::kSuccess);
    EXPECT_EQ(store.DeleteKey(kRoot, Under("Missing"), "Child"), reg::kSuccess);
    EXPECT_FALSE(KeyExists(*registry_, kRoot, Under("Missing")));

    store.WriteString(kRoot, Under("Key"), "Only", "1");
    EXPECT_EQ(store.DeleteValue(kRoot, Under("Key"), "Only"), reg::kSuccess);
    EXPECT_EQ(store.DeleteValue(kRoot, Under("Key"), "Only"), reg::kSuccess);
    EXPECT_EQ(store.DeleteKey(kRoot, kScratch, "Missing"), reg::kSuccess);
    EXPECT_TRUE(KeyExists(*registry_, kRoot, Under("Key")));
    EXPECT_TRUE(ValueNames(Under("Key")).empty());
    EXPECT_FALSE(ReadValue(*registry_, kRoot, Under("Key"), "Only").has_value());
}

TEST_F(RegistryContract, KeyDeleteTakesOneLevelAndRefusesKeysWithSubkeys) {
    RegistryStore store(*registry_);
    store.WriteString(kRoot, Under("Open\\command"), "", "explorer.exe");
    EXPECT_NE(store.DeleteKey(kRoot, kScratch, "Open"), reg::kSuccess);
    EXPECT_TRUE(KeyExists(*registry_, kRoot, Under("Open\\command")));

    EXPECT_EQ(store.DeleteKey(kRoot, Under("Open"), "command"), reg::kSuccess);
    EXPECT_FALSE(KeyExists(*registry_, kRoot, Under("Open\\command")));
    EXPECT_TRUE(KeyExists(*registry_, kRoot, Under("Open")));
    store.DeleteKey(kRoot, kScratch, "open");
    EXPECT_FALSE(KeyExists(*registry_, kRoot, Under("Open")));
}

TEST_F(RegistryContract, FirstByteRuleLooksAtTheFirstStoredByteWhateverTheType) {
    RegistryStore store(*registry_);
    store.WriteString(kRoot, kScratch, "TextZero", "0");
    store.WriteDword(kRoot, kScratch, "Dword256", 0x00000100);
    store.WriteBinary(kRoot, kScratch, "Binary1", kFlagOn);
    store.WriteString(kRoot, kScratch, "Empty", "");
    EXPECT_TRUE(ReadFlag(*registry_, kRoot, kScratch, "TextZero"));
    EXPECT_FALSE(ReadFlag(*registry_, kRoot, kScratch, "Dword256"));
    EXPECT_TRUE(ReadFlag(*registry_, kRoot, kScratch, "Binary1"));
    EXPECT_FALSE(ReadFlag(*registry_, kRoot, kScratch, "Empty"));
    EXPECT_TRUE(ReadFlag(*registry_, kRoot, kScratch, "Absent", true));
    EXPECT_FALSE(ReadFlag(*registry_, kRoot, kScratch, "Absent", false));
}

TEST_F(RegistryContract, ValuesWithoutDataOrWithoutTerminatorReadOnlyWhatIsThere) {
    SetRaw(kScratch, "NoData", reg::kBinary, {});
    SetRaw(kScratch, "Unterminated", reg::kBinary, Bytes({'4', '8'}));
    SetRaw(kScratch, "Embedded", reg::kBinary, Bytes({'1', 0, '2', 0}));

    const auto noData = ReadValue(*registry_, kRoot, kScratch, "NoData");
    ASSERT_TRUE(noData.has_value());
    EXPECT_TRUE(noData->Bytes().empty());
    EXPECT_FALSE(noData->FirstByteSet());
    EXPECT_EQ(noData->Number(), 0);

    const auto unterminated = ReadValue(*registry_, kRoot, kScratch, "Unterminated");
    ASSERT_TRUE(unterminated.has_value());
    EXPECT_EQ(unterminated->Text(), "48");
    EXPECT_EQ(unterminated->Number(), 48);

    const auto embedded = ReadValue(*registry_, kRoot, kScratch, "Embedded");
    ASSERT_TRUE(embedded.has_value());
    EXPECT_TRUE(embedded->TextEquals("1"));
}

TEST_F(RegistryContract, NamesIgnoreCaseAndKeepTheirOwnSpelling) {
    RegistryStore store(*registry_);
    store.WriteString(kRoot, Under("Control Panel\\Desktop"), "MenuShowDelay", "400");
    store.WriteString(kRoot, Under("control panel\\desktop"), "MENUSHOWDELAY", "10");
    EXPECT_EQ(SubkeyNames(Under("CONTROL PANEL")), std::vector<std::string>{"Desktop"});
    EXPECT_EQ(ValueNames(Under("Control Panel\\Desktop")), std::vector<std::string>{"MenuShowDelay"});
    const auto value = ReadValue(*registry_, kRoot, Under("control PANEL\\DeskTop"), "menushowdelay");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->Number(), 10);
}

TEST_F(RegistryContract, DefaultValueIsTheEmptyName) {
    RegistryStore store(*registry_);
    store.WriteString(kRoot, Under("AudioCD\\shell"), "", "play");
    const auto value = ReadValue(*registry_, kRoot, Under("AudioCD\\shell"), "");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->Text(), "play");

    RegKey scratch;
    ASSERT_EQ(scratch.Open(*registry_, ToHKey(kRoot), kScratch, reg::kRead), reg::kSuccess);
    char text[16] = "garbage";
    long size = sizeof text;
    ASSERT_EQ(registry_->QueryDefaultValue(scratch.Get(), "AudioCD\\shell", text, &size), reg::kSuccess);
    EXPECT_EQ(size, 5);
    EXPECT_STREQ(text, "play");

    // A key without a default value reads as the empty text; a missing key fails.
    size = sizeof text;
    ASSERT_EQ(registry_->QueryDefaultValue(scratch.Get(), "AudioCD", text, &size), reg::kSuccess);
    EXPECT_EQ(size, 1);
    EXPECT_STREQ(text, "");
    size = sizeof text;
    EXPECT_NE(registry_->QueryDefaultValue(scratch.Get(), "NoSuchKey", text, &size), reg::kSuccess);
}

TEST_F(RegistryContract, SizeQueriesAndShortBuffers) {
    RegistryStore(*registry_).WriteString(kRoot, kScratch, "Path", "C:\\WINDOWS\\Start Menu");
    RegKey key;
    ASSERT_EQ(key.Open(*registry_, ToHKey(kRoot), kScratch, reg::kRead), reg::kSuccess);
    std::uint32_t size = 0;
    ASSERT_EQ(registry_->QueryValue(key.Get(), "Path", nullptr, nullptr, &size), reg::kSuccess);
    EXPECT_EQ(size, 22u);

    std::uint8_t small[8] = {};
    size = sizeof small;
    EXPECT_EQ(registry_->QueryValue(key.Get(), "Path", nullptr, small, &size), reg::kMoreData);
    EXPECT_EQ(size, 22u);
    EXPECT_EQ(registry_->QueryValue(key.Get(), "Absent", nullptr, nullptr, &size), reg::kFileNotFound);

    RegKey missing;
    EXPECT_EQ(missing.Open(*registry_, ToHKey(kRoot), Under("Absent"), reg::kRead), reg::kFileNotFound);
    EXPECT_FALSE(missing.IsOpen());
}

// Names are ordered case-folded to lower case, so '_' comes before the letters. (Windows enumerates values
// in creation order; nothing in the program depends on the order of values.)
TEST_F(RegistryContract, SubkeysAndValuesComeInNameOrder) {
    RegistryStore store(*registry_);
    for (const char* name : {"gamma", "Zulu", "_under", "Alpha", "Z_x", "beta"}) {
        store.WriteString(kRoot, Under(std::string("Keys\\") + name), "", "");
    }
    EXPECT_EQ(SubkeyNames(Under("Keys")),
              (std::vector<std::string>{"_under", "Alpha", "beta", "gamma", "Z_x", "Zulu"}));

    for (const char* name : {"zeta", "alpha", "Mid"}) {
        store.WriteString(kRoot, Under("Values"), name, "x");
    }
    store.WriteDword(kRoot, Under("Values"), "ALPHA", 7);  // replaced, keeping its first spelling
    EXPECT_EQ(ValueNames(Under("Values")), (std::vector<std::string>{"alpha", "Mid", "zeta"}));
}

TEST_F(RegistryContract, EnumerationFailsForNamesThatDoNotFitTheBuffer) {
    // Counted in characters: 99 Cyrillic letters are 198 bytes of UTF-8 and fit a buffer of 100.
    std::string name99;
    for (int i = 0; i < 99; ++i) {
        name99 += "\xD0\x96";  // Ж
    }
    const std::string name100(100, 'v');
    SetRaw(Under("Enum"), name100, reg::kSz, Bytes({'x', 0}));
    SetRaw(Under("Enum\\" + name99), "", reg::kSz, Bytes({0}));

    RegKey key;
    ASSERT_EQ(key.Open(*registry_, ToHKey(kRoot), Under("Enum"), reg::kRead), reg::kSuccess);
    std::string name;
    EXPECT_EQ(registry_->EnumValue(key.Get(), 0, 100, name, nullptr, nullptr, nullptr), reg::kMoreData);
    ASSERT_EQ(registry_->EnumKey(key.Get(), 0, 100, name), reg::kSuccess);
    EXPECT_EQ(name, name99);
    EXPECT_EQ(registry_->EnumKey(key.Get(), 0, 99, name), reg::kMoreData);  // no room for the zero
    EXPECT_EQ(registry_->EnumKey(key.Get(), 1, 100, name), reg::kNoMoreItems);

    // With a big enough buffer the value comes back whole, data included.
    std::uint32_t type = 0;
    std::uint8_t data[4];
    std::uint32_t dataSize = sizeof data;
    ASSERT_EQ(registry_->EnumValue(key.Get(), 0, 128, name, &type, data, &dataSize), reg::kSuccess);
    EXPECT_EQ(name, name100);
    EXPECT_EQ(type, reg::kSz);
    EXPECT_EQ(dataSize, 2u);
    EXPECT_EQ(registry_->EnumValue(key.Get(), 1, 128, name, nullptr, nullptr, nullptr), reg::kNoMoreItems);
}

// Names and text outside any one code page are kept exactly: two values that differ only in their
// accents stay two, each found, read and deleted by its own name; text comes back as UTF-8 with its size.
TEST_F(RegistryContract, NamesAndTextOutsideTheCodePageAreKeptExactly) {
    const std::string lodzAccented =
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA";  // Łódź
    const std::string lodzPlain =
        "L\xC3\xB3"
        "dz";                                                                     // Lódz
    const std::string test = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82";                  // Тест
    const std::string path = Under("Text\\Acc\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3");  // AccПрог
    const std::string command = "C:\\\xD0\x9F\xD1\x80\xD0\xBE\\\xE6\x97\xA5.exe";
    RegistryStore store(*registry_);
    store.WriteString(kRoot, path, lodzAccented, "one");
    store.WriteString(kRoot, path, lodzPlain, "two");
    store.WriteString(kRoot, path, test, command);

    EXPECT_EQ(ValueNames(path).size(), 3u);
    EXPECT_EQ(SubkeyNames(Under("Text")), std::vector<std::string>{"Acc\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3"});
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(Query(path, test, type, data));
    EXPECT_EQ(std::string(data.begin(), data.end()), command + '\0');

    store.DeleteValue(kRoot, path, lodzAccented);
    std::vector<std::string> left = ValueNames(path);
    std::sort(left.begin(), left.end());  // value order is the registry's own
    EXPECT_EQ(left, (std::vector<std::string>{lodzPlain, test})) << "the other value was deleted";
    ASSERT_TRUE(Query(path, lodzPlain, type, data));
    EXPECT_EQ(std::string(data.begin(), data.end()), std::string("two", 4));
}

TEST_F(RegistryContract, KeyNamesOf255CharactersWork) {
    RegKey scratch;
    ASSERT_EQ(scratch.Create(*registry_, ToHKey(kRoot), kScratch, reg::kAllAccess), reg::kSuccess);
    const std::string name(255, 'n');
    RegKey key;
    EXPECT_EQ(key.Create(*registry_, scratch.Get(), name, reg::kAllAccess), reg::kSuccess);
    EXPECT_EQ(SubkeyNames(kScratch), std::vector<std::string>{name});
}

TEST_F(RegistryContract, ReadAccessRefusesChanges) {
    RegistryStore(*registry_).WriteString(kRoot, kScratch, "Value", "1");
    RegKey key;
    ASSERT_EQ(key.Open(*registry_, ToHKey(kRoot), kScratch, reg::kRead), reg::kSuccess);
    const std::uint8_t data[2] = {'2', 0};
    EXPECT_EQ(registry_->SetValue(key.Get(), "Value", reg::kSz, data, 2), reg::kAccessDenied);
    EXPECT_EQ(registry_->DeleteValue(key.Get(), "Value"), reg::kAccessDenied);
    EXPECT_TRUE(ReadValue(*registry_, kRoot, kScratch, "Value")->TextEquals("1"));
}

TEST_F(RegistryContract, AHandleToADeletedKeyNoLongerWorks) {
    RegistryStore store(*registry_);
    store.WriteString(kRoot, Under("Doomed"), "Value", "1");
    RegKey doomed;
    ASSERT_EQ(doomed.Open(*registry_, ToHKey(kRoot), Under("Doomed"), reg::kAllAccess), reg::kSuccess);
    store.DeleteKey(kRoot, kScratch, "Doomed");
    EXPECT_FALSE(KeyExists(*registry_, kRoot, Under("Doomed")));
    std::uint32_t size = 0;
    EXPECT_EQ(registry_->QueryValue(doomed.Get(), "Value", nullptr, nullptr, &size), reg::kKeyDeleted);
}

}  // namespace
}  // namespace velmora
