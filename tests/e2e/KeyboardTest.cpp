// The program from the keyboard alone, with real input (SendInput to the foreground window): the keys
// that change pages, Space on a check box, the Apply button's mnemonic, Enter and Escape.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/ExpectedPages.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/Keyboard.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/Wait.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr Milliseconds kKeyEffect = kDeadline;
constexpr char kMiscPage[] = "Miscellaneous";
constexpr char kDirectoryVerbs[] = "Directory\\shell";
constexpr char kExploreVerb[] = "Directory\\shell\\E&xplore From Here";

bool VerbWritten() {
    return KeyPresent(RootKey::ClassesRoot, std::string(kExploreVerb) + "\\command");
}

// The Miscellaneous page shown, its "Explore From Here" box focused and unchecked, the verb absent.
class KeyboardOnMiscPage : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(RemoveKeyTree(RootKey::ClassesRoot, kExploreVerb));
        ASSERT_TRUE(session_.Start());
        main_ = session_.MainWindow();
        apply_ = Control(main_, IDC_MAIN_APPLY_BUTTON);
        const HWND page = HostedSheet(HostedSheet::Find(main_)).SelectPage(kMiscPage);
        ASSERT_NE(page, nullptr);
        box_ = Control(page, IDC_MISC_EXPLORE_FROM_HERE_BOX);
        ASSERT_FALSE(IsChecked(box_));
        ASSERT_TRUE(FocusControl(box_));
    }
    void TearDown() override { verbs_.Restore(); }

    // Space toggles the focused box, which marks the setting and enables Apply.
    void CheckTheBoxWithSpace() {
        ASSERT_TRUE(SendChord(box_, {}, VK_SPACE));
        ASSERT_TRUE(WaitUntil([this] { return IsChecked(box_) && IsEnabled(apply_); }, kKeyEffect));
    }

    RegistrySnapshot verbs_ = RegistrySnapshot::Take({{RootKey::ClassesRoot, kDirectoryVerbs}});
    VelmoraSession session_{WindowsVersion::Nt};
    HWND main_ = nullptr;
    HWND apply_ = nullptr;
    HWND box_ = nullptr;
};

TEST(Keyboard, CtrlTabAndCtrlPageKeysStepThroughThePagesAndWrap) {
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    HostedSheet sheet(HostedSheet::Find(main));
    const int last = static_cast<int>(ExpectedTabTitles(WindowsVersion::Windows98).size()) - 1;
    ASSERT_EQ(sheet.TabCount(), last + 1);
    ASSERT_EQ(sheet.CurrentIndex(), 0);
    // From inside the sheet: the sheet's own handling.
    ASSERT_TRUE(FocusControl(sheet.TabControl()));

    const struct {
        std::initializer_list<WORD> modifiers;
        WORD key;
        int index;
        const char* what;
    } steps[] = {
        {{VK_CONTROL}, VK_TAB, 1, "Ctrl+Tab"},
        {{VK_CONTROL, VK_SHIFT}, VK_TAB, 0, "Ctrl+Shift+Tab"},
        {{VK_CONTROL, VK_SHIFT}, VK_TAB, last, "Ctrl+Shift+Tab on the first page"},
        {{VK_CONTROL}, VK_NEXT, 0, "Ctrl+PageDown on the last page"},
        {{VK_CONTROL}, VK_NEXT, 1, "Ctrl+PageDown"},
        {{VK_CONTROL}, VK_PRIOR, 0, "Ctrl+PageUp"},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(SendChord(main, step.modifiers, step.key)) << step.what;
        EXPECT_TRUE(WaitUntil([&] { return sheet.CurrentIndex() == step.index; }, kKeyEffect))
            << step.what << " left tab " << sheet.CurrentIndex();
        EXPECT_TRUE(WaitUntil([&] { return IsVisible(sheet.CurrentPage()); }, kKeyEffect)) << step.what;
    }

    // From the main window's own buttons, outside the sheet, too.
    ASSERT_TRUE(FocusControl(Control(main, IDOK)));
    ASSERT_TRUE(SendChord(main, {VK_CONTROL}, VK_TAB));
    EXPECT_TRUE(WaitUntil([&] { return sheet.CurrentIndex() == 1; }, kKeyEffect)) << "Ctrl+Tab on OK";

    ASSERT_TRUE(SendChord(main, {}, VK_ESCAPE));
    EXPECT_TRUE(session.WaitForExit());
}

TEST_F(KeyboardOnMiscPage, AltAAfterSpaceOnTheFocusedCheckBoxWritesThatSetting) {
    // Apply is disabled, so its mnemonic does nothing; the Space after it is only handled after it.
    ASSERT_FALSE(IsEnabled(apply_));
    ASSERT_TRUE(SendChord(main_, {VK_MENU}, 'A'));
    CheckTheBoxWithSpace();
    EXPECT_FALSE(VerbWritten()) << "nothing is written before Apply";

    ASSERT_TRUE(SendChord(main_, {VK_MENU}, 'A'));
    EXPECT_TRUE(WaitUntil([this] { return !IsEnabled(apply_); }, kKeyEffect)) << "Alt+A did not apply";
    EXPECT_TRUE(VerbWritten());
    EXPECT_TRUE(Responds(main_)) << "Apply ends the program only through OK";

    ASSERT_TRUE(SendChord(main_, {}, VK_ESCAPE));
    EXPECT_TRUE(session_.WaitForExit());
}

TEST_F(KeyboardOnMiscPage, EscapeEndsTheProgramWithNothingWritten) {
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    CheckTheBoxWithSpace();
    ASSERT_TRUE(SendChord(main_, {}, VK_ESCAPE));
    ASSERT_TRUE(session_.WaitForExit());
    EXPECT_FALSE(VerbWritten());
    EXPECT_TRUE(RegistryUnchangedSince(before));
}

TEST_F(KeyboardOnMiscPage, EnterPressesTheFocusedButtonAndIsOkEverywhereElse) {
    CheckTheBoxWithSpace();
    // On a button, Enter presses that button: Apply writes and the program goes on.
    ASSERT_TRUE(FocusControl(apply_));
    ASSERT_TRUE(SendChord(main_, {}, VK_RETURN));
    EXPECT_TRUE(WaitUntil([this] { return !IsEnabled(apply_); }, kKeyEffect)) << "Enter on Apply";
    EXPECT_TRUE(VerbWritten());
    ASSERT_TRUE(Responds(main_));

    // On the check box, Enter is OK: the new touch is applied and the program ends.
    ASSERT_TRUE(FocusControl(box_));
    ASSERT_TRUE(SendChord(box_, {}, VK_SPACE));
    ASSERT_TRUE(WaitUntil([this] { return !IsChecked(box_) && IsEnabled(apply_); }, kKeyEffect));
    ASSERT_TRUE(SendChord(main_, {}, VK_RETURN));
    ASSERT_TRUE(session_.WaitForExit());
    EXPECT_FALSE(VerbWritten()) << "OK applied the unchecked box";
}

}  // namespace
}  // namespace velmora::e2e
