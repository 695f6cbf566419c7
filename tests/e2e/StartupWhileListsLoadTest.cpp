// Start-up at a large registry: the window answers while the New page's list is still being read (the
// Start Menu page's boxes can be clicked, Cancel ends the program within a second and nothing is
// written), and once the list arrives the New page shows what a synchronous load reads.
//
// The registry gets many thousands of extension keys under HKEY_CLASSES_ROOT for this suite, a tenth of
// them with "ShellNew" (half right under the extension, half under its file type subkey), and loses them
// again afterwards. Its own ctest entry (e2e_large_registry_wine): building and removing the keys takes a
// while.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "registry/Win32Registry.h"
#include "res/resource.h"
#include "settings/ShellNewList.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr int kExtensionKeys = 30000;
constexpr char kDescription[] = "Velmora Large Document ";

std::string Numbered(const char* prefix, int i) {
    char number[8];
    std::snprintf(number, sizeof number, "%05d", i);
    return prefix + std::string(number);
}

bool SetDefault(const std::string& path, const std::string& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status = RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool MakeKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// The keys of extension i, deepest first, so that each is deleted after its subkeys.
std::vector<std::string> KeysOf(int i) {
    const std::string extension = Numbered(".velmoralarge", i);
    const std::string type = Numbered("VelmoraLarge.File", i);
    if (i % 10 != 0) {
        return {extension};
    }
    if (i % 20 == 0) {
        return {extension + "\\ShellNew", extension, type};
    }
    return {extension + "\\" + type + "\\ShellNew", extension + "\\" + type, extension, type};
}

class StartupWithLargeRegistry : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        made_ = true;
        for (int i = 0; i < kExtensionKeys && made_; ++i) {
            const std::string extension = Numbered(".velmoralarge", i);
            const std::string type = Numbered("VelmoraLarge.File", i);
            made_ = SetDefault(extension, type);
            if (made_ && i % 10 == 0) {
                made_ = SetDefault(type, Numbered(kDescription, i)) &&
                        MakeKey((i % 20 == 0 ? extension : extension + "\\" + type) + "\\ShellNew");
            }
        }
    }
    static void TearDownTestSuite() {
        for (int i = 0; i < kExtensionKeys; ++i) {
            for (const std::string& key : KeysOf(i)) {
                RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
            }
        }
    }
    void SetUp() override { ASSERT_TRUE(made_) << "could not build the large registry"; }

    static bool made_;
};

bool StartupWithLargeRegistry::made_ = false;

TEST_F(StartupWithLargeRegistry, TheWindowAnswersWhileTheNewListIsReadAndCancelEndsItAtOnce) {
    VelmoraSession session(WindowsVersion::Nt);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(session.WaitForMainWindow());
    const HWND main = session.MainWindow();
    const HWND sheet = HostedSheet::Find(main);
    ASSERT_NE(sheet, nullptr);
    const HostedSheet pages(sheet);
    const HWND newList = Control(pages.PageHolding(IDC_NEW_TYPE_LIST), IDC_NEW_TYPE_LIST);
    ASSERT_NE(newList, nullptr);
    // Still being read: the New page's list is empty and disabled. (Should it already be there, this
    // registry is too small for the machine to show anything.)
    ASSERT_FALSE(IsEnabled(newList)) << "the New list arrived before the window answered";
    EXPECT_EQ(SendMessageA(newList, LB_GETCOUNT, 0, 0), 0);
    SaveScreenshot(main, "large-registry-start-menu-while-reading");

    // The Start Menu page (the first, shown) takes clicks at once.
    const HWND box = Control(pages.CurrentPage(), IDC_STARTMENU_SHOW_FAVORITES_BOX);
    ASSERT_NE(box, nullptr);
    const bool wasChecked = IsChecked(box);
    const auto clicked = std::chrono::steady_clock::now();
    ASSERT_TRUE(Click(box));
    EXPECT_NE(IsChecked(box), wasChecked);
    EXPECT_TRUE(IsEnabled(Control(main, IDC_MAIN_APPLY_BUTTON)));
    ASSERT_TRUE(Click(box));
    EXPECT_EQ(IsChecked(box), wasChecked);
    // Well under the walk's time, which a click that waited for it would take; room for a busy machine.
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, std::chrono::milliseconds(5000));
    ASSERT_FALSE(IsEnabled(newList)) << "the New list arrived while the boxes were clicked";

    // Cancel while the walk goes on: the program ends at once (well within the walk's time, with room
    // for a busy machine) and writes nothing.
    ASSERT_TRUE(PostClick(Control(main, IDCANCEL)));
    EXPECT_TRUE(session.WaitForExit(Milliseconds(5000)));
    EXPECT_TRUE(RegistryUnchangedSince(before));
}

TEST_F(StartupWithLargeRegistry, TheNewPageThenShowsTheListASynchronousLoadReads) {
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const HWND page = session.SelectPage("New");
    ASSERT_NE(page, nullptr);
    std::vector<std::string> shown = ListBoxLines(Control(page, IDC_NEW_TYPE_LIST));
    SaveScreenshot(session.MainWindow(), "large-registry-new-page");

    Win32Registry registry;
    const auto entries = ReadShellNewEntries(registry);
    ASSERT_TRUE(entries.has_value());
    std::vector<std::string> read;
    for (const ShellNewEntry& entry : *entries) {
        read.push_back(entry.description);
    }
    // The list box sorts its lines its own way; compared as sets of lines.
    std::sort(shown.begin(), shown.end());
    std::sort(read.begin(), read.end());
    EXPECT_EQ(shown, read);
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                            [](const std::string& line) { return line.rfind(kDescription, 0) == 0; }),
              kExtensionKeys / 10);
}

}  // namespace
}  // namespace velmora::e2e
