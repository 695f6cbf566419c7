// The driver's registry tools themselves: a "nothing changed" check is only worth something if it
// notices every kind of change, and a scenario only leaves the prefix clean if restoring works.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/OsVersion.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/WindowsVersion.h"

namespace velmora::e2e {
namespace {

constexpr RootKey kUser = RootKey::CurrentUser;
constexpr char kScratch[] = "Software\\VelmoraE2E";

// A scratch key that is gone before and after each test.
class HarnessRegistry : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(RemoveKeyTree(kUser, kScratch)); }
    void TearDown() override { RemoveKeyTree(kUser, kScratch); }

    static std::string Path(const std::string& sub) { return std::string(kScratch) + "\\" + sub; }
};

TEST_F(HarnessRegistry, SnapshotReportsEveryChangeAndRestoreUndoesThem) {
    ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Text", RegistryValue::String("one")));
    ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Number", RegistryValue::Dword(1)));
    ASSERT_TRUE(WriteRawValue(kUser, Path("Old"), "", RegistryValue::Binary({1, 0, 0, 0})));
    const RegistrySnapshot before = RegistrySnapshot::Take({{kUser, kScratch}});
    EXPECT_TRUE(RegistryUnchangedSince(before));

    ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Text", RegistryValue::String("two")));
    ASSERT_TRUE(RemoveValue(kUser, kScratch, "Number"));
    ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Added", RegistryValue::Binary({0xAB})));
    ASSERT_TRUE(RemoveKeyTree(kUser, Path("Old")));
    ASSERT_TRUE(WriteRawValue(kUser, Path("New\\Deeper"), "Flag", RegistryValue::Dword(7)));

    std::vector<std::string> lines = Differences(before, RegistrySnapshot::Take(before.Locations()));
    std::sort(lines.begin(), lines.end());
    const std::vector<std::string> expected = {
        "+ HKCU\\Software\\VelmoraE2E [Added] = REG_BINARY (1 bytes) AB",
        "+ HKCU\\Software\\VelmoraE2E\\New\\Deeper [Flag] = REG_DWORD 0x00000007",
        "+ key HKCU\\Software\\VelmoraE2E\\New",
        "+ key HKCU\\Software\\VelmoraE2E\\New\\Deeper",
        "- HKCU\\Software\\VelmoraE2E [Number] (was REG_DWORD 0x00000001)",
        "- key HKCU\\Software\\VelmoraE2E\\Old",
        "~ HKCU\\Software\\VelmoraE2E [Text]: REG_SZ \"one\" -> REG_SZ \"two\"",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(RegistryUnchangedSince(before));

    before.Restore();
    EXPECT_TRUE(RegistryUnchangedSince(before));
    EXPECT_FALSE(KeyPresent(kUser, Path("New")));
}

TEST_F(HarnessRegistry, ScopedValueRemovesTheKeysItCreated) {
    {
        ScopedRegistryValue value(kUser, Path("A\\B"), "Name");
        EXPECT_FALSE(value.Original().has_value());
        ASSERT_TRUE(value.Set(RegistryValue::String("x")));
    }
    // Every key it had to create goes, the outermost (the scratch key) included; older ones stay.
    EXPECT_FALSE(KeyPresent(kUser, kScratch));
    EXPECT_TRUE(KeyPresent(kUser, "Software"));

    ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Name", RegistryValue::Dword(3)));
    {
        ScopedRegistryValue value(kUser, kScratch, "Name");
        ASSERT_TRUE(value.Remove());
    }
    EXPECT_EQ(ReadRawValue(kUser, kScratch, "Name"), RegistryValue::Dword(3));
}

// The program's own operating-system tests agree with what each scenario sets up, and the prefix is
// left as it was.
TEST(HarnessWindowsVersion, ProgramSeesTheChosenVersionUntilTheScenarioEnds) {
    const auto original = ReadRawValue(RootKey::LocalMachine, kCurrentVersionKey, "Version");
    Registry& registry = MachineRegistry();
    {
        ScopedWindowsVersion version(WindowsVersion::Windows98);
        ASSERT_TRUE(version.Ok());
        EXPECT_FALSE(IsWindowsNt(registry));
        EXPECT_TRUE(IsWindows98(registry));
    }
    {
        ScopedWindowsVersion version(WindowsVersion::Windows95);
        ASSERT_TRUE(version.Ok());
        EXPECT_FALSE(IsWindowsNt(registry));
        EXPECT_FALSE(IsWindows98(registry));
    }
    {
        ScopedWindowsVersion version(WindowsVersion::Nt);
        ASSERT_TRUE(version.Ok());
        EXPECT_TRUE(IsWindowsNt(registry));
    }
    EXPECT_EQ(ReadRawValue(RootKey::LocalMachine, kCurrentVersionKey, "Version"), original);
}

}  // namespace
}  // namespace velmora::e2e
