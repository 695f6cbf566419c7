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

// What the restart asks for before ExitWindowsEx (which is never called here: under Wine it ends every
// program of the prefix).
TEST(Win32Restarter, TheShutdownPrivilegeIsEnabledOnTheProcessToken) {
    Win32Restarter restarter;
    EXPECT_TRUE(restarter.EnableShutdownPrivilege());
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    PRIVILEGE_SET privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Control = PRIVILEGE_SET_ALL_NECESSARY;
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privilege[0].Luid));
    BOOL enabled = FALSE;
    ASSERT_TRUE(PrivilegeCheck(token, &privileges, &enabled));
    CloseHandle(token);
    EXPECT_TRUE(enabled);
}

TEST(Win32MessageBoxes, AnErrorIsTheSystemsOwnWordsWithoutTheLineBreak) {
    Win32MessageBoxes messages;
    for (const long code : {5L, 1021L}) {
        const std::string text = messages.SystemErrorText(code);
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_NE(text.back(), '\n') << code;
        EXPECT_NE(text.back(), '\r') << code;
    }
    EXPECT_NE(messages.SystemErrorText(1021).find("volatile"), std::string::npos);
    EXPECT_EQ(messages.SystemErrorText(0x20001234), "Unknown error.");
}

}  // namespace
}  // namespace velmora
