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
    static RegistrySnapshot ScratchSnapshot() { return RegistrySnapshot::Take({{kUser, kScratch}}); }
};

// The same changes, seen by a snapshot of the scratch key and by one of the whole registry: the whole
// one names the current user's keys as HKCU and sees nothing else change.
TEST_F(HarnessRegistry, SnapshotReportsEveryChangeAndRestoreUndoesThem) {
    const std::vector<std::pair<const char*, RegistrySnapshot (*)()>> kinds = {
        {"scratch key", ScratchSnapshot},
        {"whole registry", RegistrySnapshot::TakeWhole},
    };
    for (const auto& [kind, take] : kinds) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(RemoveKeyTree(kUser, kScratch));
        ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Text", RegistryValue::String("one")));
        ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Number", RegistryValue::Dword(1)));
        ASSERT_TRUE(WriteRawValue(kUser, Path("Old"), "", RegistryValue::Binary({1, 0, 0, 0})));
        const RegistrySnapshot before = take();
        EXPECT_TRUE(RegistryUnchangedSince(before));

        ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Text", RegistryValue::String("two")));
        ASSERT_TRUE(RemoveValue(kUser, kScratch, "Number"));
        ASSERT_TRUE(WriteRawValue(kUser, kScratch, "Added", RegistryValue::Binary({0xAB})));
        ASSERT_TRUE(RemoveKeyTree(kUser, Path("Old")));
        ASSERT_TRUE(WriteRawValue(kUser, Path("New\\Deeper"), "Flag", RegistryValue::Dword(7)));

        std::vector<std::string> lines = Differences(before, before.Again());
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

        EXPECT_TRUE(before.Restore());
        EXPECT_TRUE(RegistryUnchangedSince(before));
        EXPECT_FALSE(KeyPresent(kUser, Path("New")));
    }
}

// After the first, full walk the whole snapshot reads again only the branches whose watch fired: a change
// deep inside a branch, and a branch removed and made again, still show.
TEST_F(HarnessRegistry, WholeSnapshotSeesChangesInsideWatchedBranches) {
    ASSERT_TRUE(WriteRawValue(kUser, Path("A\\B\\C"), "Deep", RegistryValue::Dword(1)));
    RegistrySnapshot before = RegistrySnapshot::TakeWhole();
    before = before.Again();  // every branch watched now

    ASSERT_TRUE(WriteRawValue(kUser, Path("A\\B\\C"), "Deep", RegistryValue::Dword(2)));
    EXPECT_EQ(
        Differences(before, before.Again()),
        (std::vector<std::string>{
            "~ HKCU\\Software\\VelmoraE2E\\A\\B\\C [Deep]: REG_DWORD 0x00000001 -> REG_DWORD 0x00000002"}));

    ASSERT_TRUE(RemoveKeyTree(kUser, kScratch));
    ASSERT_TRUE(WriteRawValue(kUser, Path("A\\B\\C"), "Deep", RegistryValue::Dword(3)));
    EXPECT_EQ(
        Differences(before, before.Again()),
        (std::vector<std::string>{
            "~ HKCU\\Software\\VelmoraE2E\\A\\B\\C [Deep]: REG_DWORD 0x00000001 -> REG_DWORD 0x00000003"}));
    EXPECT_TRUE(before.Restore());
    EXPECT_TRUE(RegistryUnchangedSince(before));
}

// The machine's classes appear once, as HKCR, whichever way they are reached.
TEST_F(HarnessRegistry, WholeSnapshotNamesTheMachineClassesHkcr) {
    ASSERT_TRUE(RemoveKeyTree(RootKey::ClassesRoot, ".velmorae2e"));
    const RegistrySnapshot before = RegistrySnapshot::TakeWhole();
    ASSERT_TRUE(WriteRawValue(RootKey::ClassesRoot, ".velmorae2e", "", RegistryValue::String("x")));
    const RegistrySnapshot after = before.Again();
    EXPECT_EQ(Differences(before, after),
              (std::vector<std::string>{"+ key HKCR\\.velmorae2e",
                                        "+ HKCR\\.velmorae2e [(default)] = REG_SZ \"x\""}));
    EXPECT_TRUE(before.Restore());
    EXPECT_FALSE(KeyPresent(RootKey::ClassesRoot, ".velmorae2e"));
    EXPECT_TRUE(RegistryUnchangedSince(before));
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
