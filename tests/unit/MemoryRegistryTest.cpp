// What the in-memory registry adds beyond the shared contract: the handle count every routine must
// leave unchanged, and the failures the real registry would report for bad handles.
#include "registry/MemoryRegistry.h"

#include <gtest/gtest.h>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"

namespace velmora {
namespace {

TEST(MemoryRegistry, StoreAndReadRoutinesCloseEveryKeyTheyOpen) {
    MemoryRegistry registry;
    RegistryStore store(registry);
    const RootKey root = RootKey::CurrentUser;
    store.WriteBinary(root, "A\\B", "Flag", kFlagOn);
    store.WriteDword(root, "A\\B", "Number", 1);
    store.WriteString(root, "A\\B", "Text", "x");
    store.DeleteValue(root, "A\\B", "Text");
    store.DeleteValue(root, "Missing", "Text");
    store.DeleteKey(root, "A", "B");
    store.DeleteKey(root, "Missing", "B");
    EXPECT_FALSE(ReadFlag(registry, root, "A\\B", "Flag"));
    EXPECT_FALSE(KeyExists(registry, root, "A\\B"));
    // The list pages' routines never create a key and report what is absent.
    EXPECT_EQ(store.WriteListedString(root, "A", "Text", "y"), reg::kSuccess);
    EXPECT_EQ(store.WriteListedString(root, "A\\Gone", "Text", "y", reg::kWrite), reg::kFileNotFound);
    EXPECT_FALSE(KeyExists(registry, root, "A\\Gone"));
    EXPECT_EQ(store.DeleteListedValue(root, "A", "Text"), reg::kSuccess);
    EXPECT_EQ(store.DeleteListedValue(root, "A", "Text"), reg::kFileNotFound);
    EXPECT_EQ(store.DeleteListedValue(root, "A\\Gone", "Text"), reg::kFileNotFound);
    EXPECT_EQ(store.DeleteListedKey(root, "A"), reg::kSuccess);
    EXPECT_EQ(store.DeleteListedKey(root, "A"), reg::kFileNotFound);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(MemoryRegistry, ClosedAndUnknownHandlesAreInvalid) {
    MemoryRegistry registry;
    HKey key = 0;
    ASSERT_EQ(registry.CreateKey(ToHKey(RootKey::Users), ".Default", reg::kAllAccess, key), reg::kSuccess);
    EXPECT_EQ(registry.OpenHandleCount(), 1u);
    EXPECT_EQ(registry.CloseKey(key), reg::kSuccess);
    EXPECT_EQ(registry.CloseKey(key), reg::kInvalidHandle);
    std::uint32_t size = 0;
    EXPECT_EQ(registry.QueryValue(key, "", nullptr, nullptr, &size), reg::kInvalidHandle);
    EXPECT_EQ(registry.CloseKey(ToHKey(RootKey::Users)), reg::kSuccess);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(MemoryRegistry, RootsAreSeparateAndCannotBeDeleted) {
    MemoryRegistry registry;
    RegistryStore(registry).WriteString(RootKey::LocalMachine, "Software", "V", "1");
    EXPECT_FALSE(KeyExists(registry, RootKey::CurrentUser, "Software"));
    EXPECT_FALSE(KeyExists(registry, RootKey::ClassesRoot, "Software"));
    EXPECT_EQ(registry.DeleteKey(ToHKey(RootKey::LocalMachine), ""), reg::kAccessDenied);
}

TEST(MemoryRegistry, AMovedKeyHandleClosesOnce) {
    MemoryRegistry registry;
    RegKey first;
    ASSERT_EQ(first.Create(registry, ToHKey(RootKey::CurrentUser), "K", reg::kAllAccess), reg::kSuccess);
    RegKey second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.IsOpen());
    second = RegKey();
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace velmora
