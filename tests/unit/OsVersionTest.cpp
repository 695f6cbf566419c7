#include "settings/OsVersion.h"

#include <gtest/gtest.h>

#include "registry/RegistryStore.h"
#include "system/fakes/FakeServices.h"

namespace velmora {
namespace {

constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

class OsVersion : public ::testing::Test {
  protected:
    void SetVersion(const std::string& text) {
        RegistryStore(fakes_.registry).WriteString(RootKey::LocalMachine, kCurrentVersion, "Version", text);
    }
    FakeServices fakes_;
};

TEST_F(OsVersion, NoVersionValueMeansNt) {
    EXPECT_TRUE(IsWindowsNt(fakes_.registry));
    EXPECT_TRUE(IsWindows98(fakes_.registry));
    // The key alone, without the value, is still NT.
    RegistryStore(fakes_.registry)
        .WriteString(RootKey::LocalMachine, kCurrentVersion, "ProgramFilesDir", "C:\\");
    EXPECT_TRUE(IsWindowsNt(fakes_.registry));
}

TEST_F(OsVersion, VersionTextDecidesBetween95And98) {
    SetVersion("Windows 95");
    EXPECT_FALSE(IsWindowsNt(fakes_.registry));
    EXPECT_FALSE(IsWindows98(fakes_.registry));
    SetVersion("windows 98");
    EXPECT_FALSE(IsWindows98(fakes_.registry));
    SetVersion("Windows 98");
    EXPECT_FALSE(IsWindowsNt(fakes_.registry));
    EXPECT_TRUE(IsWindows98(fakes_.registry));
}

TEST_F(OsVersion, EveryQueryReadsTheRegistryAfresh) {
    EXPECT_TRUE(IsWindowsNt(fakes_.registry));
    SetVersion("Windows 95");
    EXPECT_FALSE(IsWindowsNt(fakes_.registry));
    RegistryStore(fakes_.registry).DeleteValue(RootKey::LocalMachine, kCurrentVersion, "Version");
    EXPECT_TRUE(IsWindowsNt(fakes_.registry));
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
}

TEST_F(OsVersion, AnEmptyOrOddVersionValueIsNineXButNot98) {
    const std::uint8_t nothing = 0;
    HKey key = 0;
    ASSERT_EQ(fakes_.registry.CreateKey(ToHKey(RootKey::LocalMachine), kCurrentVersion, reg::kAllAccess, key),
              reg::kSuccess);
    ASSERT_EQ(fakes_.registry.SetValue(key, "Version", reg::kBinary, &nothing, 0), reg::kSuccess);
    fakes_.registry.CloseKey(key);
    EXPECT_FALSE(IsWindowsNt(fakes_.registry));
    EXPECT_FALSE(IsWindows98(fakes_.registry));
}

TEST_F(OsVersion, PlusExtensionAsksTheSystemParameterEachTime) {
    fakes_.parameters.results[spi::kGetWindowsExtension] = 0;
    EXPECT_FALSE(HasPlusExtension(fakes_.parameters));
    fakes_.parameters.results[spi::kGetWindowsExtension] = 1;
    EXPECT_TRUE(HasPlusExtension(fakes_.parameters));
    ASSERT_EQ(fakes_.parameters.calls.size(), 2u);
    const auto& call = fakes_.parameters.calls.back();
    EXPECT_EQ(call.action, spi::kGetWindowsExtension);
    EXPECT_EQ(call.param, 1u);
    EXPECT_FALSE(call.hadData);
    EXPECT_EQ(call.flags, 0u);
}

}  // namespace
}  // namespace velmora
