#include "cli/core/SettingTable.h"

#include "settings/DesktopSettings.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"

namespace velmora::cli {
namespace {

using D = DesktopSettings;
using M = MiscSettings;
using S = SecuritySettings;
using SM = StartMenuSettings;

constexpr RootKey kHkcr = RootKey::ClassesRoot;
constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;

const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kDesktop = "Control Panel\\Desktop";
const std::string kMetrics = "Control Panel\\Desktop\\WindowMetrics";
const std::string kLogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
const std::string kMyComputerOpen = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open";

Location Value(RootKey root, const std::string& key, const std::string& value) {
    return Location{Location::kValue, root, key, value};
}

// A verb the page adds to a context menu: its key, and the command's default value it writes.
std::vector<Location> Verb(const std::string& key) {
    return {Location{Location::kTree, kHkcr, key, ""}, Value(kHkcr, key + "\\command", "")};
}

SettingRow Check(Page page, int control, const char* caption, int row, std::vector<Location> locations) {
    return SettingRow{
        page, control, caption, CaptionFrom::kControl, StateKind::kCheck, row, std::move(locations), ""};
}

SettingRow Policy(Page page, int control, const char* caption, int row, const char* value) {
    return Check(page, control, caption, row, {Value(kHkcu, kPolicies, value)});
}

SettingRow Elsewhere(Page page, int control, const char* caption, int row, const char* where) {
    return SettingRow{page, control, caption, CaptionFrom::kControl, StateKind::kCheck, row, {}, where};
}

SettingRow Folder(int control, const char* caption, SM::Folder folder) {
    return SettingRow{
        Page::kStartMenu,
        control,
        caption,
        CaptionFrom::kControl,
        StateKind::kFolder,
        folder,
        {},
        std::string("directory \"") + (SM::DirectoryName(folder) + 1) + "\" in the Start Menu folder"};
}

std::vector<SettingRow> StartMenuRows() {
    const Page p = Page::kStartMenu;
    return {
        Policy(p, SM::kShowFavoritesBox, "Show Favorites", SM::kNoFavoritesMenu, "NoFavoritesMenu"),
        Policy(p, SM::kAddDocumentsBox, "Add Documents", SM::kNoRecentDocsHistory, "NoRecentDocsHistory"),
        Policy(p, SM::kShowDocumentsBox, "Show Documents", SM::kNoRecentDocsMenu, "NoRecentDocsMenu"),
        Policy(p, SM::kClearDocsOnExitBox, "Clear recent docs on exit", SM::kClearRecentDocsOnExit,
               "ClearRecentDocsOnExit"),
        Policy(p, SM::kShowWindowsUpdateBox, "Show Windows Update", SM::kNoWindowsUpdate, "NoWindowsUpdate"),
        Policy(p, SM::kShowFindBox, "Show Find", SM::kNoFind, "NoFind"),
        Policy(p, SM::kShowRunBox, "Show Run", SM::kNoRun, "NoRun"),
        Policy(p, SM::kAllowLogoffBox, "Allow Logoff", SM::kNoLogoff, "NoLogoff"),
        Policy(p, SM::kAllowShutDownBox, "Allow \"Shut Down\"", SM::kNoClose, "NoClose"),
        Policy(p, SM::kShowControlPanelBox, "Show Control Panel and Printers", SM::kNoSetFolders,
               "NoSetFolders"),
        Policy(p, SM::kShowFolderOptionsBox, "Show Folder Options", SM::kNoFolderOptions, "NoFolderOptions"),
        Policy(p, SM::kShowActiveDesktopBox, "Show Active Desktop", SM::kNoSetActiveDesktop,
               "NoSetActiveDesktop"),
        Folder(SM::kControlPanelFolderBox, "Control Panel", SM::kControlPanel),
        Folder(SM::kPrintersFolderBox, "Printers", SM::kPrinters),
        Folder(SM::kUrlHistoryFolderBox, "URL History", SM::kUrlHistory),
        Folder(SM::kRecycleBinFolderBox, "Recycle Bin", SM::kRecycleBin),
        SettingRow{p,
                   SM::kDelayEdit,
                   "Start Menu delay:",
                   CaptionFrom::kLabelBefore,
                   StateKind::kMenuDelay,
                   SM::kMenuShowDelay,
                   {Value(kHkcu, kDesktop, "MenuShowDelay")},
                   ""},
    };
}

std::vector<SettingRow> DesktopRows() {
    const Page p = Page::kDesktop;
    return {
        Check(p, D::kMyComputerBox, "Open Explorer on My Computer", D::kMyComputerExplorer,
              {Location{Location::kTree, kHkcr, kMyComputerOpen, ""},
               Value(kHkcr, kMyComputerOpen + "\\Command", "")}),
        Check(p, D::kRecycleBinBox, "Enable renaming of Recycle Bin", D::kRecycleBinRename,
              {Value(kHkcr, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder", "Attributes")}),
        Check(p, D::kMinAnimateBox, "Window animation on minimize", D::kMinAnimate,
              {Value(kHkcu, kMetrics, "MinAnimate")}),
        Elsewhere(p, D::kBeepBox, "Beep on errors", D::kBeep, "system parameter (beep)"),
        Policy(p, D::kIe4LookBox, "IE4 enabled (Win 98 look)", D::kClassicShell, "ClassicShell"),
        Check(p, D::kAutoEndBox, "Autoend programs on exit", D::kAutoEndTasks,
              {Value(kHkcu, kDesktop, "AutoEndTasks")}),
        SettingRow{p,
                   D::kArrowNormalRadio,
                   "Shortcut arrows",
                   CaptionFrom::kGroupBefore,
                   StateKind::kArrows,
                   D::kShortcutArrows,
                   {Value(kHklm, kExplorer + "\\Shell Icons", "29")},
                   ""},
        Policy(p, D::kShowInternetIconBox, "Show Internet Explorer Icon", D::kNoInternetIcon,
               "NoInternetIcon"),
        Policy(p, D::kShowNetHoodBox, "Show Network Neighborhood", D::kNoNetHood, "NoNetHood"),
        Check(p, D::kShortcutPrefixBox, "Prefix \"Shortcut To\" on new shortcuts", D::kLink,
              {Value(kHkcu, kExplorer, "Link")}),
        Check(p, D::kSmoothScrollBox, "Smooth Scrolling", D::kSmoothScroll,
              {Value(kHkcu, kDesktop, "SmoothScroll")}),
        Check(p, D::kDoubleClickBox, "Detect accidental double-clicks", D::kDoubleClickTimer,
              {Value(kHkcu, kExplorer + "\\Advanced", "UseDoubleClickTimer")}),
        Policy(p, D::kActiveDesktopBox, "Show Active-Desktop when right-click", D::kNoActiveDesktop,
               "NoActiveDesktop"),
        Check(p, D::kWindowsVersionBox, "Show Windows version on desktop", D::kPaintDesktopVersion,
              {Value(kHkcu, kDesktop, "PaintDesktopVersion")}),
        SettingRow{p,
                   D::kIconSizeCombo,
                   "Icon size:",
                   CaptionFrom::kLabelBefore,
                   StateKind::kIconSize,
                   D::kIconSize,
                   {Value(kHkcu, kMetrics, "Shell Icon Size")},
                   ""},
    };
}

std::vector<SettingRow> MiscRows() {
    const Page p = Page::kMiscellaneous;
    return {
        Policy(p, M::kStartBannerBox, "Show animated \"Click here to begin\"", M::kNoStartBanner,
               "NoStartBanner"),
        Elsewhere(p, M::kDragFullWindowsBox, "Show window contents while dragging", M::kDragFullWindows,
                  "system parameter (full window drag)"),
        Check(p, M::kTipOfTheDayBox, "Tip of the day", M::kTipOfTheDay,
              {Value(kHkcu, kExplorer + "\\Tips", "Show")}),
        Check(p, M::kIconColorsBox, "Show icons using all possible colors", M::kIconColors,
              {Value(kHkcu, kMetrics, "Shell Icon BPP")}),
        Check(p, M::kFontSmoothingBox, "Smooth edges of screen fonts", M::kFontSmoothing,
              {Value(kHkcu, kDesktop, "FontSmoothing")}),
        Check(p, M::kAudioCdBox, "Play Audio CDs automatically", M::kAudioCd,
              {Value(kHkcr, "AudioCD\\shell", "")}),
        Policy(p, M::kDataCdBox, "Play Data CDs automatically", M::kDataCd, "NoDriveTypeAutoRun"),
        Check(p, M::kNonBlinkingCursorBox, "Non-blinking cursor", M::kNonBlinkingCursor,
              {Value(kHkcu, kDesktop, "CursorBlinkRate")}),
        Check(p, M::kNumericTailBox, "Show \"~1\" after long file names", M::kNumericTail,
              {Value(kHklm, "System\\CurrentControlSet\\control\\FileSystem", "NameNumericTail")}),
        Check(p, M::kExploreFromHereBox, "Add \"Explore From Here\" to all folders", M::kExploreFromHere,
              Verb("Directory\\shell\\E&xplore From Here")),
        Check(p, M::kRealModeBox, "Show \"Restart in MS-DOS mode\"", M::kRealMode,
              {Value(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp",
                     "NoRealMode")}),
        Check(p, M::kViewWithNotepadBox, "Show \"View With Notepad\"", M::kViewWithNotepad,
              Verb("Unknown\\shell\\View With Notepad")),
        Check(p, M::kViewWithWordpadBox, "Show \"View With Wordpad\"", M::kViewWithWordpad,
              Verb("Unknown\\shell\\View With Wordpad")),
        Check(p, M::kOpenWithNotepadBox, "Show \"Open with Notepad\"", M::kOpenWithNotepad,
              Verb("*\\shell\\Open with Notepad")),
        Check(p, M::kOpenWithWordpadBox, "Show \"Open with Wordpad\"", M::kOpenWithWordpad,
              Verb("*\\shell\\Open with Wordpad")),
    };
}

std::vector<SettingRow> SecurityRows() {
    const Page p = Page::kSecurity;
    return {
        Policy(p, S::kSaveSettingsBox, "Save explorer window settings", S::kNoSaveSettings, "NoSaveSettings"),
        Policy(p, S::kFileMenuBox, "Show File-Menu", S::kNoFileMenu, "NoFileMenu"),
        Check(p, S::kClearLastUserBox, "Clear last user at logon", S::kClearLastUser,
              {Value(kHklm, kLogon, "DontDisplayLastUserName")}),
        Check(
            p, S::kRegeditBox, "Prevent users from running Regedit", S::kDisableRegistryTools,
            {Value(RootKey::Users, ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                   "DisableRegistryTools")}),
        Check(p, S::kAutologonBox, "Log on automatically at start-up", S::kAutologon,
              {Value(kHklm, kLogon, "AutoAdminLogon")}),
        SettingRow{p,
                   S::kUserNameEdit,
                   "User name:",
                   CaptionFrom::kLabelBefore,
                   StateKind::kUserName,
                   S::kAutologon,
                   {Value(kHklm, kLogon, "DefaultUserName")},
                   ""},
        SettingRow{p,
                   S::kPasswordEdit,
                   "Password:",
                   CaptionFrom::kLabelBefore,
                   StateKind::kPassword,
                   S::kAutologon,
                   {Value(kHklm, kLogon, "DefaultPassword")},
                   ""},
        Policy(p, S::kAddPrinterBox, "Allow \"Add Printer\"", S::kNoAddPrinter, "NoAddPrinter"),
        Policy(p, S::kRemovePrinterBox, "Allow \"Remove Printer\"", S::kNoDeletePrinter, "NoDeletePrinter"),
        Policy(p, S::kPrinterTabsBox, "Remove Printer Tabs", S::kNoPrinterTabs, "NoPrinterTabs"),
        Policy(p, S::kFloppyBox, "Allow Use Floppy", S::kNoDrives, "NoDrives"),
        Policy(p, S::kTaskbarRightClickBox, "Allow \"Right-Click on Taskbar\"", S::kNoTrayContextMenu,
               "NoTrayContextMenu"),
        Policy(p, S::kDesktopRightClickBox, "Allow \"Right-Click on Desktop\"", S::kNoViewContextMenu,
               "NoViewContextMenu"),
        Policy(p, S::kLockDesktopBox, "Lock Desktop", S::kNoDesktop, "NoDesktop"),
        Policy(p, S::kChangeTaskbarBox, "Allow \"Change Taskbar\"", S::kNoSetTaskbar, "NoSetTaskbar"),
        Policy(p, S::kStartMenuContextBox, "Show context menu in Start Menu", S::kNoChangeStartMenu,
               "NoChangeStartMenu"),
    };
}

}  // namespace

const char* PageName(Page page) {
    switch (page) {
        case Page::kDesktop:
            return "Desktop";
        case Page::kStartMenu:
            return "Start Menu";
        case Page::kMiscellaneous:
            return "Miscellaneous";
        case Page::kSecurity:
            return "Security";
    }
    return "";
}

const std::vector<SettingRow>& SettingRows() {
    static const std::vector<SettingRow> rows = [] {
        std::vector<SettingRow> all;
        for (auto&& page : {StartMenuRows(), DesktopRows(), MiscRows(), SecurityRows()}) {
            all.insert(all.end(), page.begin(), page.end());
        }
        return all;
    }();
    return rows;
}

const std::vector<std::string>& ArrowChoices() {
    static const std::vector<std::string> choices = {"Normal", "Small", "None"};
    return choices;
}

const std::vector<std::string>& IconSizeChoices() {
    static const std::vector<std::string> choices = {"Small", "Default", "Big", "Huge"};
    return choices;
}

const char* RootName(RootKey root) {
    switch (root) {
        case RootKey::ClassesRoot:
            return "HKEY_CLASSES_ROOT";
        case RootKey::CurrentUser:
            return "HKEY_CURRENT_USER";
        case RootKey::LocalMachine:
            return "HKEY_LOCAL_MACHINE";
        case RootKey::Users:
            return "HKEY_USERS";
    }
    return "";
}

std::string Describe(const Location& location) {
    const std::string key = std::string(RootName(location.root)) + "\\" + location.key;
    if (location.kind == Location::kTree) {
        return key + " (key)";
    }
    return key + " [" + (location.value.empty() ? "(default)" : location.value) + "]";
}

}  // namespace velmora::cli
