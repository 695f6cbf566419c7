// The pages laid out without function in this edition (Wallpaper/Util, Internet Explorer with its option
// panels, Internet, Preferences, Reg Info, More Security, both System pages) in the running program:
// every control takes input and nothing is marked, written or offered; the panel switching, the limits,
// the tooltips and the layout.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/Layout.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RemoteBuffer.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/ToolTips.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/Wait.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kRestartCaption[] = "Velmora 99 - Restart Windows?";

// Internet Explorer page.
struct Panel {
    int command;  // of the Options menu
    int control;  // a control only this panel has
    const char* name;
};
constexpr Panel kPanels[] = {
    {IDM_IE_DEFAULT_URLS, IDC_IEURLS_BLANK_PAGE_EDIT, "ie-panel-default-urls"},
    {IDM_IE_URL_TEMPLATES, IDC_IETEMPLATES_URL5_EDIT, "ie-panel-url-templates"},
    {IDM_IE_MISCELLANEOUS, IDC_IEMISC_WINDOW_TITLE_EDIT, "ie-panel-miscellaneous"},
    {IDM_IE_OUTLOOK_EXPRESS, IDC_OUTLOOK_WINDOW_TITLE_EDIT, "ie-panel-outlook-express"}};

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

// The Internet Explorer page's option panels: its dialog children.
std::vector<HWND> PanelsOf(HWND page) {
    std::vector<HWND> panels;
    for (HWND child : ChildrenOf(page)) {
        if (ClassNameOf(child) == "#32770") {
            panels.push_back(child);
        }
    }
    return panels;
}

// The panel (dialog child of `page`) holding control `id`, or null.
HWND PanelWith(HWND page, int id) {
    for (HWND panel : PanelsOf(page)) {
        if (Control(panel, id) != nullptr) {
            return panel;
        }
    }
    return nullptr;
}

// Clicks every enabled, visible check box, radio and push button of `dialog` (and of its visible panels),
// types into every writable edit and picks a combo entry the way the user's selection notifies. The
// Options button is left out: its menu is modal.
void TouchEveryControl(HWND dialog) {
    for (HWND control : ChildrenOf(dialog)) {
        if (!IsVisible(control) || !IsEnabled(control)) {
            continue;
        }
        const std::string kind = ClassNameOf(control);
        const int id = GetDlgCtrlID(control);
        if (kind == "#32770") {
            TouchEveryControl(control);
        } else if (kind == "Button") {
            const LONG type = Style(control) & BS_TYPEMASK;
            if (type != BS_GROUPBOX && id != IDC_IE_OPTIONS_BUTTON) {
                EXPECT_TRUE(Click(control)) << "control " << id;
            }
        } else if (kind == "Edit" && (Style(control) & ES_READONLY) == 0) {
            SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
            for (char c : std::string("42")) {
                SendMessageA(control, WM_CHAR, static_cast<WPARAM>(c), 0);
            }
            EXPECT_EQ(TextOf(control), "42") << "edit " << id;
        } else if (kind == "ComboBox") {
            SendMessageA(control, CB_SETCURSEL, 0, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(control));
        }
    }
}

// Presses OK and expects the program to end without asking for a restart.
void CloseWithOkWithoutRestartQuestion(VelmoraSession& session) {
    ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDOK)));
    EXPECT_EQ(WaitForMessageBox(session.ProcessId(), kRestartCaption, Milliseconds(1500)), nullptr);
    EXPECT_TRUE(session.WaitForExit());
}

// Touches every control of each page, checking after each page that Apply is still disabled; then the
// registry is as before and OK asks nothing.
void TouchPagesAndClose(WindowsVersion version, const std::vector<std::string>& titles,
                        const std::string& shotSuffix) {
    VelmoraSession session(version);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    HostedSheet sheet(HostedSheet::Find(main));
    const HWND apply = Control(main, IDC_MAIN_APPLY_BUTTON);
    for (const std::string& title : titles) {
        SCOPED_TRACE(title);
        const HWND page = sheet.SelectPage(title);
        ASSERT_NE(page, nullptr);
        std::string name = "laid-out-" + title + shotSuffix;
        for (char& c : name) {
            c = (c == '/' || c == ' ' || c == '.') ? '-' : c;
        }
        SaveScreenshot(main, name);
        TouchEveryControl(page);
        if (title == "Internet Explorer") {
            for (const Panel& panel : kPanels) {
                SendMessageA(page, WM_COMMAND, MAKEWPARAM(panel.command, 0), 0);
                TouchEveryControl(page);
            }
        }
        EXPECT_FALSE(IsEnabled(apply));
    }
    EXPECT_TRUE(RegistryUnchangedSince(before));
    CloseWithOkWithoutRestartQuestion(session);
}

TEST(LaidOutPages, Windows98EveryControlTakesInputAndNothingIsMarkedWrittenOrOffered) {
    TouchPagesAndClose(WindowsVersion::Windows98,
                       {"Wallpaper/Util", "Internet Explorer", "Internet", "Reg Info", "More Security",
                        "Preferences...", "System"},
                       "-Windows98");
}

TEST(LaidOutPages, WindowsNtEveryControlTakesInputAndNothingIsMarkedWrittenOrOffered) {
    TouchPagesAndClose(WindowsVersion::Nt,
                       {"Wallpaper/Util", "Internet Explorer", "Reg Info", "Preferences...", "System"},
                       "-WindowsNt");
}

TEST(LaidOutPages, OptionsMenuShowsExactlyTheChosenPanelOverTheFrame) {
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = session.SelectPage("Internet Explorer");
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(PanelsOf(page).size(), 4u);
    EXPECT_FALSE(IsEnabled(Control(page, IDC_IE_DELETE_BUTTON)));
    EXPECT_FALSE(IsChecked(Control(page, IDC_IE_LIVE_SCROLLING_BOX)));
    EXPECT_EQ(SendMessageA(Control(page, IDC_IE_COOKIE_LIST), LB_GETCOUNT, 0, 0), 0);
    // The panels' frame stands beside the site list, the Options button clear of both.
    const RECT frame = RectIn(Control(page, IDC_IE_PANEL_FRAME), page);
    const RECT sites = RectIn(Control(page, IDC_IE_COOKIE_LIST), page);
    RECT common{};
    EXPECT_FALSE(IntersectRect(&common, &frame, &sites)) << ToString(frame) << " over " << ToString(sites);
    EXPECT_TRUE(StandsClear(Control(page, IDC_IE_OPTIONS_BUTTON), page));
    for (HWND panel : PanelsOf(page)) {
        EXPECT_EQ(ToString(RectIn(panel, page)), ToString(frame));
    }
    // At first only the Default URLs panel shows, with its four fields empty.
    const HWND urls = PanelWith(page, IDC_IEURLS_BLANK_PAGE_EDIT);
    ASSERT_NE(urls, nullptr);
    for (HWND panel : PanelsOf(page)) {
        EXPECT_EQ(IsVisible(panel), panel == urls);
    }
    for (int id : {IDC_IEURLS_BLANK_PAGE_EDIT, IDC_IEURLS_NAVIGATION_CANCELED_EDIT,
                   IDC_IEURLS_NAVIGATION_FAILED_EDIT, IDC_IEURLS_OFFLINE_FAILED_EDIT}) {
        EXPECT_EQ(TextOf(Control(urls, id)), "");
    }

    // Each command in turn, then the first one again over a panel that is already showing.
    for (int round = 0; round < 2; ++round) {
        for (const Panel& chosen : kPanels) {
            SCOPED_TRACE(chosen.name);
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(chosen.command, 0), 0);
            const HWND shown = PanelWith(page, chosen.control);
            ASSERT_NE(shown, nullptr);
            for (HWND panel : PanelsOf(page)) {
                EXPECT_EQ(IsVisible(panel), panel == shown);
            }
            if (round == 0) {
                SaveScreenshot(main, chosen.name);
            }
        }
    }
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kPanels[0].command, 0), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kPanels[0].command, 0), 0);
    EXPECT_TRUE(IsVisible(urls));
    EXPECT_FALSE(IsEnabled(Control(main, IDC_MAIN_APPLY_BUTTON)));
}

struct MenuSearch {
    DWORD processId;
    HWND found;
};

// EnumWindows callbacks are named functions: a lambda has no stdcall convention on 32-bit Windows.
BOOL CALLBACK SearchPopupMenu(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<MenuSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->processId && IsWindowVisible(window) && ClassNameOf(window) == "#32768") {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible pop-up menu window ("#32768") of the process, or null.
HWND PopupMenuOf(DWORD processId) {
    MenuSearch search{processId, nullptr};
    EnumWindows(SearchPopupMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(LaidOutPages, OptionsButtonDropsTheMenuFromItsBottomLeftCorner) {
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    const HWND page = session.SelectPage("Internet Explorer");
    ASSERT_NE(page, nullptr);
    const HWND options = Control(page, IDC_IE_OPTIONS_BUTTON);
    ASSERT_TRUE(PostClick(options));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = PopupMenuOf(session.ProcessId())) != nullptr; }, kDeadline));
    const RECT button = ScreenRect(options);
    const RECT dropped = ScreenRect(menu);
    EXPECT_EQ(dropped.left, button.left);
    EXPECT_EQ(dropped.top, button.bottom);
    SaveScreenshot(main, "ie-options-menu");
    // Second item, "&URL Templates", chosen from the keyboard.
    for (UINT key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageA(menu, WM_KEYDOWN, key, 0);
        PostMessageA(menu, WM_KEYUP, key, 0xC0000000);
    }
    const HWND templates = PanelWith(page, IDC_IETEMPLATES_URL5_EDIT);
    ASSERT_NE(templates, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(templates); }, kDeadline));
    EXPECT_FALSE(IsVisible(PanelWith(page, IDC_IEURLS_BLANK_PAGE_EDIT)));
}

TEST(LaidOutPages, NetworkNamesStopAtFifteenAndNoticesAtTwoHundredFiftyFive) {
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    HostedSheet sheet(HostedSheet::Find(main));
    const HWND regInfo = sheet.SelectPage("Reg Info");
    ASSERT_NE(regInfo, nullptr);
    const HWND computerName = Control(regInfo, IDC_REGINFO_COMPUTER_NAME_EDIT);
    EXPECT_EQ(SendMessageA(computerName, EM_GETLIMITTEXT, 0, 0), 15);
    EXPECT_EQ(SendMessageA(Control(regInfo, IDC_REGINFO_WORKGROUP_EDIT), EM_GETLIMITTEXT, 0, 0), 15);
    const std::string sixteen = "ABCDEFGHIJKLMNOP";
    for (char c : sixteen) {
        SendMessageA(computerName, WM_CHAR, static_cast<WPARAM>(c), 0);
    }
    EXPECT_EQ(TextOf(computerName), sixteen.substr(0, 15));
    EXPECT_TRUE(StandsClear(computerName, regInfo));
    EXPECT_TRUE(StandsClear(Control(regInfo, IDC_REGINFO_WORKGROUP_EDIT), regInfo));

    const HWND system = sheet.SelectPage("System");
    ASSERT_NE(system, nullptr);
    for (int id : {IDC_SYSTEM_CAPTION_EDIT, IDC_SYSTEM_TEXT_EDIT}) {
        EXPECT_EQ(SendMessageA(Control(system, id), EM_GETLIMITTEXT, 0, 0), 255) << id;
    }
    int lower = 0;
    int upper = 0;
    RemoteBuffer range(system, 2 * sizeof(int));
    ASSERT_TRUE(range.Ok());
    SendMessageA(Control(system, IDC_SYSTEM_BOOT_DELAY_SPIN), UDM_GETRANGE32,
                 reinterpret_cast<WPARAM>(range.At(0)), reinterpret_cast<LPARAM>(range.At(sizeof(int))));
    ASSERT_TRUE(range.Read(0, &lower, sizeof lower));
    ASSERT_TRUE(range.Read(sizeof(int), &upper, sizeof upper));
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 99);
    // No radio of the Scandisk group is chosen and the seconds field is blank.
    for (int id : {IDC_SYSTEM_SCANDISK_NEVER_RADIO, IDC_SYSTEM_SCANDISK_PROMPT_RADIO,
                   IDC_SYSTEM_SCANDISK_AUTO_RADIO}) {
        EXPECT_FALSE(IsChecked(Control(system, id)));
    }
    EXPECT_EQ(TextOf(Control(system, IDC_SYSTEM_BOOT_DELAY_EDIT)), "");
    EXPECT_TRUE(StandsClear(Control(system, IDC_SYSTEM_TEXT_EDIT), system));
    CloseWithOkWithoutRestartQuestion(session);
}

TEST(LaidOutPages, TooltipsCarryTheirTextsOverTheirControls) {
    VelmoraSession session(WindowsVersion::Windows98);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    HostedSheet sheet(HostedSheet::Find(main));
    const HWND explorer = sheet.SelectPage("Internet Explorer");
    const HWND internet = sheet.SelectPage("Internet");
    const HWND prefs = sheet.SelectPage("Preferences...");
    ASSERT_TRUE(explorer != nullptr && internet != nullptr && prefs != nullptr);
    const std::vector<ToolTip> tools = ToolTipsOf(session.ProcessId());

    // A tool for a whole control is identified by the control's window.
    const auto controlTool = [&](HWND page, int id) {
        const HWND control = Control(page, id);
        return FindTool(tools, page, reinterpret_cast<UINT_PTR>(control));
    };
    const ToolTip* options = controlTool(explorer, IDC_IE_OPTIONS_BUTTON);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->text, "Click to switch between different IE options!");

    const ToolTip* rwin = FindTool(tools, internet, 99);
    ASSERT_NE(rwin, nullptr);
    EXPECT_EQ(rwin->text, "MaxMSS x 4 = Recommended RWIN");
    EXPECT_EQ(ToString(rwin->rect),
              ToString(RectIn(Control(internet, IDC_INTERNET_RECOMMENDATION_TEXT), internet)));

    const struct {
        int id;
        const char* text;
    } prefsTools[] = {
        {IDC_PREFS_REGEDIT_BUTTON, "Click to start Regedit, works even if you have locked it!"},
        {IDC_PREFS_SYSEDIT_BUTTON, "Click to start your System editor!"},
        {IDC_PREFS_SYSTEM_INFO_BUTTON, "Click to start MSinfo, to get information about your computer!"},
        {IDC_PREFS_IP_CONFIG_BUTTON, "Click to see your computers IP configuration!"}};
    for (const auto& expected : prefsTools) {
        const ToolTip* tool = controlTool(prefs, expected.id);
        ASSERT_NE(tool, nullptr) << expected.id;
        EXPECT_EQ(tool->text, expected.text);
    }
    // The language list is there but hidden, and nothing on the page is ticked.
    EXPECT_FALSE(IsVisible(Control(prefs, IDC_PREFS_LANGUAGE_COMBO)));
    EXPECT_EQ(SendMessageA(Control(prefs, IDC_PREFS_LANGUAGE_COMBO), CB_GETCOUNT, 0, 0), 2);
    EXPECT_FALSE(IsChecked(Control(prefs, IDC_PREFS_WIN98_BUTTONS_BOX)));
    EXPECT_TRUE(StandsClear(Control(prefs, IDC_PREFS_REGEDIT_BUTTON), prefs));
}

// Needs the main window to call the pages' button set-ups and the Preferences page's NT disabling;
// enabled once it does.
TEST(LaidOutPagesWired, WindowsNtPreferencesShowDisabledWinNtAndButtonsAreIconButtons) {
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    const HWND main = session.MainWindow();
    HostedSheet sheet(HostedSheet::Find(main));
    const HWND prefs = sheet.SelectPage("Preferences...");
    ASSERT_NE(prefs, nullptr);
    for (int id : {IDC_PREFS_INTERNET_BOX, IDC_PREFS_SECURITY_BOX, IDC_PREFS_MORESECURITY_BOX,
                   IDC_PREFS_SYSTEM_INFO_BUTTON, IDC_PREFS_IP_CONFIG_BUTTON}) {
        EXPECT_EQ(TextOf(Control(prefs, id)), "Disabled WinNt") << id;
        EXPECT_FALSE(IsEnabled(Control(prefs, id))) << id;
    }
    EXPECT_TRUE(IsEnabled(Control(prefs, IDC_PREFS_REGEDIT_BUTTON)));
    EXPECT_EQ(TextOf(Control(prefs, IDC_PREFS_REGEDIT_BUTTON)), "&Regedit");
    SaveScreenshot(main, "laid-out-preferences-WindowsNt");

    // Set up as icon buttons: owner-drawn.
    const auto ownerDrawn = [](HWND button) { return (Style(button) & BS_TYPEMASK) == BS_OWNERDRAW; };
    for (int id : {IDC_PREFS_REGEDIT_BUTTON, IDC_PREFS_SYSEDIT_BUTTON, IDC_PREFS_SYSTEM_INFO_BUTTON,
                   IDC_PREFS_IP_CONFIG_BUTTON}) {
        EXPECT_TRUE(ownerDrawn(Control(prefs, id))) << id;
    }
    const HWND system = sheet.SelectPage("System");
    ASSERT_NE(system, nullptr);
    EXPECT_TRUE(ownerDrawn(Control(system, IDC_SYSTEMNT_RECOVERY_DISC_BUTTON)));
    const HWND wallpaper = sheet.SelectPage("Wallpaper/Util");
    ASSERT_NE(wallpaper, nullptr);
    for (int id : {IDC_WALLPAPER_BROWSE_BUTTON, IDC_WALLPAPER_SET_BUTTON, IDC_WALLPAPER_INFOTIP_BUTTON}) {
        EXPECT_TRUE(ownerDrawn(Control(wallpaper, id))) << id;
    }
    EXPECT_FALSE(IsEnabled(Control(wallpaper, IDC_WALLPAPER_SET_BUTTON)));
    EXPECT_FALSE(IsEnabled(Control(wallpaper, IDC_WALLPAPER_INFOTIP_BUTTON)));
    const HWND explorer = sheet.SelectPage("Internet Explorer");
    ASSERT_NE(explorer, nullptr);
    EXPECT_TRUE(ownerDrawn(Control(explorer, IDC_IE_DELETE_BUTTON)));
    EXPECT_TRUE(ownerDrawn(Control(explorer, IDC_IE_OPTIONS_BUTTON)));
    const HWND misc = PanelWith(explorer, IDC_IEMISC_WINDOW_TITLE_EDIT);
    ASSERT_NE(misc, nullptr);
    EXPECT_TRUE(ownerDrawn(Control(misc, IDC_IEMISC_CLEAR_TYPED_URLS_BUTTON)));
    EXPECT_FALSE(IsEnabled(Control(main, IDC_MAIN_APPLY_BUTTON)));
}

}  // namespace
}  // namespace velmora::e2e
