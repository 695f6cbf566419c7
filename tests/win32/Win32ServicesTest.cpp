// The Win32 system services against the real system, under Wine.
#include "system/win32/Win32Services.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

TEST(Win32Directories, ExistsRestoresTheCurrentDirectory) {
    Win32Directories directories;
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    const std::string path = std::string(temp) + "VelmoraDirTest";
    RemoveDirectoryA(path.c_str());

    const std::string before = CurrentDirectory();
    EXPECT_FALSE(directories.Exists(path));
    EXPECT_TRUE(directories.Create(path));
    EXPECT_FALSE(directories.Create(path));
    EXPECT_TRUE(directories.Exists(path));
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_TRUE(directories.Remove(path));
    EXPECT_FALSE(directories.Exists(path));
    EXPECT_FALSE(directories.Remove(path));
}

TEST(Win32Directories, SystemAndWindowsDirectoriesExist) {
    Win32Directories directories;
    const std::string system = directories.SystemDirectory();
    const std::string windows = directories.WindowsDirectory();
    ASSERT_FALSE(system.empty());
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(system.rfind(windows, 0), 0u) << system << " is not below " << windows;
    EXPECT_TRUE(directories.Exists(system));
}

TEST(Win32SystemParameters, BeepStateRoundTrips) {
    Win32SystemParameters parameters;
    BOOL original = FALSE;
    ASSERT_NE(parameters.Call(1 /* SPI_GETBEEP */, 0, &original, 0), 0);
    ASSERT_NE(parameters.Call(2 /* SPI_SETBEEP */, original ? 0 : 1, nullptr, 0), 0);
    BOOL changed = original;
    ASSERT_NE(parameters.Call(1, 0, &changed, 0), 0);
    EXPECT_NE(changed, original);
    parameters.Call(2, original ? 1 : 0, nullptr, 0);
}

}  // namespace
}  // namespace velmora
