// The Desktop page and the apply cycle, driven as a user would: touch, Apply or OK, answer the restart
// question; then the registry is checked, and nothing else may have changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "settings/Locations.h"
#include "tests/e2e/harness/ExpectedChanges.h"
#include "tests/e2e/harness/FamilyMatrix.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kDesktopTitle[] = "Desktop";
constexpr char kRestartCaption[] = "Velmora 99 - Restart Windows?";
constexpr char kErrorCaption[] = "Velmora 99 - Error";
constexpr char kPoliciesParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kShellIcons[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
constexpr Milliseconds kBoxTimeout = kDeadline;

constexpr int kArrows[] = {IDC_DESKTOP_ARROW_NORMAL_RADIO, IDC_DESKTOP_ARROW_SMALL_RADIO,
                           IDC_DESKTOP_ARROW_NONE_RADIO};

// The policy keys' parent made volatile for one scenario. Wine grants every registry write, but a
// non-volatile key cannot be created under a volatile one (ERROR_CHILD_MUST_BE_VOLATILE): the policy
// key below it cannot be made, a real failing write. The parent and everything below it come back as
// they were, as ordinary keys.
class VolatilePolicies {
  public:
    VolatilePolicies() : saved_(RegistrySnapshot::Take({{RootKey::CurrentUser, kPoliciesParent}})) {}
    ~VolatilePolicies() {
        RemoveKeyTree(RootKey::CurrentUser, kPoliciesParent);
        saved_.Restore();
    }
    VolatilePolicies(const VolatilePolicies&) = delete;
    VolatilePolicies& operator=(const VolatilePolicies&) = delete;

    bool Make() {
        if (!RemoveKeyTree(RootKey::CurrentUser, kPoliciesParent)) {
            return false;
        }
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kPoliciesParent, 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return disposition == REG_CREATED_NEW_KEY;
    }

  private:
    RegistrySnapshot saved_;
};

// A running program whose top-level window has stopped answering; it is ended with the scenario.
class HungProgram {
  public:
    HungProgram() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + ToWinePath(VELMORA_E2E_HUNG_WINDOW) + "\"";
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_)) {
            process_ = {};
        }
    }
    ~HungProgram() {
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 10000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    HungProgram(const HungProgram&) = delete;
    HungProgram& operator=(const HungProgram&) = delete;

    // True once its window is up and no longer answers.
    bool WaitUntilHung() const {
        // Its thread stops taking messages at once; Wine calls it hung five seconds after that.
        return process_.hProcess != nullptr &&
               WaitUntil(
                   [] {
                       const HWND window = FindWindowA("VelmoraHungWindow", nullptr);
                       DWORD_PTR result = 0;
                       return window != nullptr && IsWindowVisible(window) &&
                              SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &result) == 0;
                   },
                   kDeadline, Milliseconds(100));
    }

  private:
    PROCESS_INFORMATION process_{};
};

// A session on the Desktop page, with the keys the program may write put back afterwards.
class DesktopPage : public testing::Test {
  protected:
    void Open(WindowsVersion version) {
        session_.reset();  // the earlier session puts its Windows version back first
        session_ = std::make_unique<VelmoraSession>(version);
        ASSERT_TRUE(session_->Start());
        HostedSheet sheet(HostedSheet::Find(Main()));
        page_ = sheet.SelectPage(kDesktopTitle);
        ASSERT_NE(page_, nullptr);
    }
    HWND Main() const { return session_->MainWindow(); }
    HWND Page(int id) const { return Control(page_, id); }
    HWND Button(int id) const { return Control(Main(), id); }

    // For the Wine modes' table: the version box as it reads and the arrows as the page offers them.
    void NoteVersionBoxAndArrows(WindowsVersion version) const {
        const HWND box = Page(IDC_DESKTOP_WINDOWS_VERSION_BOX);
        NoteShown(version, "version box", "\"" + TextOf(box) + "\"" + (IsEnabled(box) ? "" : ", off"));
        int enabled = 0;
        for (int arrow : kArrows) {
            enabled += IsEnabled(Page(arrow)) ? 1 : 0;
        }
        NoteShown(version, "arrows", enabled == 3 ? "enabled" : enabled == 0 ? "disabled" : "partly");
    }

    ScopedRegistryRestore restore_{ProgramRegistryKeys()};
    ScopedRegistryValue netHood_{RootKey::CurrentUser, kPolicies, "NoNetHood"};
    std::unique_ptr<VelmoraSession> session_;
    HWND page_ = nullptr;
};

TEST_F(DesktopPage, UncheckingNetworkNeighborhoodAndOkWritesTheFlagAndOffersARestart) {
    ASSERT_TRUE(netHood_.Remove());
    Open(WindowsVersion::Nt);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(IsChecked(Page(IDC_DESKTOP_SHOW_NET_HOOD_BOX)));
    EXPECT_FALSE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));

    ASSERT_TRUE(Click(Page(IDC_DESKTOP_SHOW_NET_HOOD_BOX)));
    EXPECT_TRUE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
    ASSERT_TRUE(PostClick(Button(IDOK)));

    const HWND box = WaitForMessageBox(session_->ProcessId(), kRestartCaption, kBoxTimeout, Main());
    ASSERT_NE(box, nullptr);
    NoteShown(WindowsVersion::Nt, "restart offer", "asked");
    EXPECT_EQ(MessageBoxText(box),
              "For the changes to take effect Windows needs to be restarted.\r\n\r\nRestart Windows?");
    EXPECT_TRUE(HasButton(box, IDYES));
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    ASSERT_TRUE(session_->WaitForExit());

    EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, kPolicies, "NoNetHood"),
              RegistryValue::Binary({1, 0, 0, 0}));
    if (ReadRawValue(RootKey::CurrentUser, kPolicies, "NoNetHood") == RegistryValue::Binary({1, 0, 0, 0})) {
        NoteShown(WindowsVersion::Nt, "applied", "Desktop");
    }
    // The value, and the policy keys it may have had to create: nothing else.
    const RegistrySnapshot after = before.Again();
    EXPECT_TRUE(OnlyTheseChanged(
        before, after,
        ExpectedChanges(before, after)
            .Set(RootKey::CurrentUser, kPolicies, "NoNetHood", RegistryValue::Binary({1, 0, 0, 0}))));
}

TEST_F(DesktopPage, ApplyThenCancelKeepsTheWriteAndAsksNothing) {
    ASSERT_TRUE(netHood_.Remove());
    Open(WindowsVersion::Nt);
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_SHOW_NET_HOOD_BOX)));
    ASSERT_TRUE(Click(Button(IDC_MAIN_APPLY_BUTTON)));
    EXPECT_FALSE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
    EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, kPolicies, "NoNetHood"),
              RegistryValue::Binary({1, 0, 0, 0}));

    ASSERT_TRUE(PostClick(Button(IDCANCEL)));
    ASSERT_TRUE(session_->WaitForExit());
    EXPECT_EQ(WaitForMessageBox(session_->ProcessId(), kRestartCaption, Milliseconds(500)), nullptr);
    EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, kPolicies, "NoNetHood"),
              RegistryValue::Binary({1, 0, 0, 0}));
}

TEST_F(DesktopPage, OkWithOnlyTheBeepChangedClosesWithoutTheQuestion) {
    Open(WindowsVersion::Nt);
    const bool beeping = IsChecked(Page(IDC_DESKTOP_BEEP_BOX));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_BEEP_BOX)));
    ASSERT_TRUE(PostClick(Button(IDOK)));
    ASSERT_TRUE(session_->WaitForExit());
    EXPECT_EQ(WaitForMessageBox(session_->ProcessId(), kRestartCaption, Milliseconds(500)), nullptr);

    // The beep lives in the system parameters: put it back as it was.
    EXPECT_NE(SystemParametersInfoA(SPI_SETBEEP, beeping ? TRUE : FALSE, nullptr, SPIF_UPDATEINIFILE), FALSE);
}

TEST_F(DesktopPage, RebuildIconsActsAtOnceAndLeavesApplyAsItWas) {
    ScopedRegistryValue iconSize(RootKey::CurrentUser, kMetrics, "Shell Icon Size");
    ASSERT_TRUE(iconSize.Set(RegistryValue::String("48")));
    Open(WindowsVersion::Nt);
    ASSERT_FALSE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_REBUILD_ICONS_BUTTON)));
    EXPECT_FALSE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
    // The size that stood is put back after the rebuild.
    EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, kMetrics, "Shell Icon Size"), RegistryValue::String("48"));
    // The combo box keeps showing the earlier choice ("Big").
    EXPECT_EQ(TextOf(Page(IDC_DESKTOP_ICON_SIZE_COMBO)), "Big");

    // Touched, then rebuilt: Apply stays lit.
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_BEEP_BOX)));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_REBUILD_ICONS_BUTTON)));
    EXPECT_TRUE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_BEEP_BOX)));  // back as it was before the beep is applied
}

// A write that fails is named in one message, keeps its mark and Apply lit; the other setting touched
// with it is written. OK then tells the same and leaves the window open.
TEST_F(DesktopPage, AFailedWriteIsReportedAndKeptWhileTheOtherSettingIsWritten) {
    ScopedRegistryValue smoothScroll(RootKey::CurrentUser, "Control Panel\\Desktop", "SmoothScroll");
    ASSERT_TRUE(smoothScroll.Remove());
    VolatilePolicies policies;
    ASSERT_TRUE(policies.Make());
    Open(WindowsVersion::Nt);
    ASSERT_TRUE(IsChecked(Page(IDC_DESKTOP_SHOW_NET_HOOD_BOX)));
    ASSERT_FALSE(IsChecked(Page(IDC_DESKTOP_SMOOTH_SCROLL_BOX)));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_SHOW_NET_HOOD_BOX)));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_SMOOTH_SCROLL_BOX)));

    for (const int button : {IDC_MAIN_APPLY_BUTTON, IDOK}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(PostClick(Button(button)));
        const HWND box = WaitForMessageBox(session_->ProcessId(), kErrorCaption, kBoxTimeout, Main());
        ASSERT_NE(box, nullptr);
        const std::string text = MessageBoxText(box);
        EXPECT_EQ(
            text.rfind("This setting could not be saved:\r\n\r\nDesktop: Show Network Neighborhood\r\n\r\n",
                       0),
            0u)
            << text;
        EXPECT_NE(text.find(" (error 1021)"), std::string::npos) << text;
        EXPECT_EQ(text.find("Smooth"), std::string::npos) << text;
        EXPECT_TRUE(HasButton(box, IDOK));
        ASSERT_TRUE(AnswerMessageBox(box, IDOK));
        ASSERT_TRUE(Responds(Main()));
        EXPECT_TRUE(IsWindow(Main()));
        EXPECT_TRUE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
        EXPECT_FALSE(ReadRawValue(RootKey::CurrentUser, kPolicies, "NoNetHood"));
        EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, "Control Panel\\Desktop", "SmoothScroll"),
                  RegistryValue::Binary({1, 0, 0, 0}));
    }
    EXPECT_EQ(WaitForMessageBox(session_->ProcessId(), kRestartCaption, Milliseconds(500)), nullptr);
    ASSERT_TRUE(PostClick(Button(IDCANCEL)));
    ASSERT_TRUE(session_->WaitForExit());
}

// Apply broadcasts the beep's change to every top-level window; one that has stopped answering is passed
// over instead of holding the program until it answers.
TEST_F(DesktopPage, ABroadcastPassesOverAWindowThatStoppedAnswering) {
    HungProgram hung;
    ASSERT_TRUE(hung.WaitUntilHung());
    Open(WindowsVersion::Nt);
    const bool beeping = IsChecked(Page(IDC_DESKTOP_BEEP_BOX));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_BEEP_BOX)));
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PostClick(Button(IDC_MAIN_APPLY_BUTTON)));
    while (IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)) && GetTickCount() - start < 60000) {
        Sleep(50);
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_FALSE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
    // The helper sleeps for two minutes: a broadcast that waited for it would take that long.
    EXPECT_LT(elapsed, 20000u);
    // Asked at once, a window whose thread has been busy for more than five seconds counts as hung
    // until it next takes a message: the program must answer again soon after, not at that instant.
    EXPECT_TRUE(WaitUntil([&] { return Responds(Main(), Milliseconds(1000)); }, kDeadline));
    ASSERT_TRUE(PostClick(Button(IDCANCEL)));
    ASSERT_TRUE(session_->WaitForExit());
    EXPECT_NE(SystemParametersInfoA(SPI_SETBEEP, beeping ? TRUE : FALSE, nullptr, SPIF_UPDATEINIFILE), FALSE);
}

// The icon size applied is what stands when the rebuild that the arrows ask for runs: it stays.
TEST_F(DesktopPage, HugeIconsAndSmallArrowsInOneApplyLeaveTheIconSizeAt64) {
    ScopedRegistryValue iconSize(RootKey::CurrentUser, kMetrics, "Shell Icon Size");
    ScopedRegistryValue arrows(RootKey::LocalMachine, kShellIcons, "29");
    ASSERT_TRUE(iconSize.Set(RegistryValue::String("32")));
    ASSERT_TRUE(arrows.Remove());
    Open(WindowsVersion::Windows98);
    const HWND combo = Page(IDC_DESKTOP_ICON_SIZE_COMBO);
    SendMessageA(combo, CB_SETCURSEL, 3, 0);
    SendMessageA(page_, WM_COMMAND, MAKEWPARAM(IDC_DESKTOP_ICON_SIZE_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    ASSERT_TRUE(Click(Page(IDC_DESKTOP_ARROW_SMALL_RADIO)));
    ASSERT_TRUE(Click(Button(IDC_MAIN_APPLY_BUTTON)));
    EXPECT_FALSE(IsEnabled(Button(IDC_MAIN_APPLY_BUTTON)));
    EXPECT_EQ(ReadRawValue(RootKey::CurrentUser, kMetrics, "Shell Icon Size"), RegistryValue::String("64"));
    const auto location = ReadRawValue(RootKey::LocalMachine, kShellIcons, "29");
    ASSERT_TRUE(location);
    EXPECT_NE(std::string(location->bytes.begin(), location->bytes.end()).find("\\Icobank.exe,1"),
              std::string::npos);
    ASSERT_TRUE(PostClick(Button(IDCANCEL)));
    ASSERT_TRUE(session_->WaitForExit());
}

TEST_F(DesktopPage, ApplyWithNothingTouchedChangesNothing) {
    Open(WindowsVersion::Windows98);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_APPLY_BUTTON, BN_CLICKED),
                             reinterpret_cast<LPARAM>(Button(IDC_MAIN_APPLY_BUTTON))));
    ASSERT_TRUE(Responds(Main()));
    EXPECT_TRUE(RegistryUnchangedSince(before));
    ASSERT_TRUE(PostClick(Button(IDOK)));
    ASSERT_TRUE(session_->WaitForExit());
    EXPECT_TRUE(RegistryUnchangedSince(before));
}

TEST_F(DesktopPage, OnNtTheArrowsAreDisabledAndTheVersionBoxIsWindows98Only) {
    Open(WindowsVersion::Nt);
    NoteVersionBoxAndArrows(WindowsVersion::Nt);
    for (int arrow : kArrows) {
        EXPECT_FALSE(IsEnabled(Page(arrow))) << arrow;
    }
    EXPECT_EQ(TextOf(Page(IDC_DESKTOP_WINDOWS_VERSION_BOX)), "Only Windows 98");
    EXPECT_FALSE(IsEnabled(Page(IDC_DESKTOP_WINDOWS_VERSION_BOX)));
    const Screenshot shot = SaveScreenshot(Main(), "desktop-page-Nt");
    EXPECT_GT(shot.distinctColours, 8) << shot.path;
}

TEST_F(DesktopPage, OnWindows95TheVersionBoxIsWindows98OnlyAndOn98ItIsLoaded) {
    Open(WindowsVersion::Windows95);
    NoteVersionBoxAndArrows(WindowsVersion::Windows95);
    EXPECT_EQ(TextOf(Page(IDC_DESKTOP_WINDOWS_VERSION_BOX)), "Only Windows 98");
    EXPECT_FALSE(IsEnabled(Page(IDC_DESKTOP_WINDOWS_VERSION_BOX)));
    for (int arrow : kArrows) {
        EXPECT_TRUE(IsEnabled(Page(arrow))) << arrow;
    }
    ASSERT_TRUE(PostClick(Button(IDCANCEL)));
    ASSERT_TRUE(session_->WaitForExit());

    ScopedRegistryValue version(RootKey::CurrentUser, "Control Panel\\Desktop", "PaintDesktopVersion");
    ASSERT_TRUE(version.Set(RegistryValue::String("1")));
    Open(WindowsVersion::Windows98);
    NoteVersionBoxAndArrows(WindowsVersion::Windows98);
    EXPECT_EQ(TextOf(Page(IDC_DESKTOP_WINDOWS_VERSION_BOX)), "Show Windows version on desktop");
    EXPECT_TRUE(IsEnabled(Page(IDC_DESKTOP_WINDOWS_VERSION_BOX)));
    EXPECT_TRUE(IsChecked(Page(IDC_DESKTOP_WINDOWS_VERSION_BOX)));
    const Screenshot shot = SaveScreenshot(Main(), "desktop-page-Windows98");
    EXPECT_GT(shot.distinctColours, 8) << shot.path;
}

TEST_F(DesktopPage, IconButtonsAreFlatUntilTheMouseIsOverThem) {
    Open(WindowsVersion::Nt);
    const HWND ok = Button(IDOK);
    EXPECT_EQ(Style(ok) & 0x0F, BS_OWNERDRAW);
    const Screenshot flat = SaveScreenshot(Main(), "icon-buttons-normal");
    // Hot tracking follows the mouse: a move over the button makes it hot.
    const RECT rect = ScreenRect(ok);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(ok, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(Responds(Main()));
    const Screenshot hot = SaveScreenshot(Main(), "icon-buttons-hot");
    EXPECT_GT(flat.distinctColours, 8) << flat.path;
    EXPECT_GT(hot.distinctColours, 8) << hot.path;
}

}  // namespace
}  // namespace velmora::e2e
