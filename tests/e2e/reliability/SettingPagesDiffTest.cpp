// Whole-registry differences of the setting pages: every row is touched, applied, and the registry must
// differ from its capture before the program started by exactly what the row writes or deletes; then the
// registry is put back and the row is touched and applied again, which runs its other branch. Cancel
// after touching every control, and OK with nothing touched, change nothing at all.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ReliabilityCounts.h"
#include "tests/e2e/harness/WindowState.h"
#include "tests/e2e/reliability/ProgramRun.h"

namespace velmora::e2e {
namespace {

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kMyComputerOpen[] = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open";

const RegistryValue kFlag = RegistryValue::Binary({1, 0, 0, 0});
const RegistryValue kFlagZero = RegistryValue::Binary({0, 0, 0, 0});

// One check box over one value: what Apply writes for each state (nothing: the value is deleted).
struct CheckRow {
    int control;
    RootKey root;
    const char* path;
    const char* name;
    std::optional<RegistryValue> checked;
    std::optional<RegistryValue> unchecked;
    const char* notice = nullptr;  // a notice shown when the box becomes checked
};

void ExpectWrite(ExpectedChanges& expected, RootKey root, const std::string& path, const std::string& name,
                 const std::optional<RegistryValue>& value) {
    if (value) {
        expected.Set(root, path, name, *value);
    } else {
        expected.Remove(root, path, name);
    }
}

// Touches the row's box and applies, twice: each branch once, each compared with the capture.
void CheckBothBranches(ProgramRun& run, HWND page, const std::string& pageName, const CheckRow& row,
                       const char* question = nullptr) {
    const HWND box = Control(page, row.control);
    ASSERT_TRUE(IsEnabled(box)) << row.control;
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(box);
        ASSERT_TRUE(Touch(run, box, row.notice)) << row.control;
        ASSERT_EQ(IsChecked(box), checked) << row.control;
        ASSERT_TRUE(run.Apply(question)) << row.control;
        EXPECT_TRUE(run.OnlyChanged(pageName,
                                    [&](ExpectedChanges& expected) {
                                        ExpectWrite(expected, row.root, row.path, row.name,
                                                    checked ? row.checked : row.unchecked);
                                    }))
            << pageName << " " << row.control << (checked ? " checked" : " unchecked");
    }
}

std::string SystemDirectory() {
    char directory[MAX_PATH] = {};
    GetSystemDirectoryA(directory, MAX_PATH);
    return directory;
}

void SelectComboItem(HWND page, int id, int index) {
    const HWND combo = Control(page, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

TEST(SettingPagesDiff, DesktopRowsChangeOnlyTheirOwnValues) {
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Desktop");
    ASSERT_NE(page, nullptr);
    const CheckRow rows[] = {
        {1005, kHkcu, kPolicies, "NoInternetIcon", std::nullopt, kFlag},
        {1011, kHkcu, kPolicies, "NoNetHood", std::nullopt, kFlag},
        {1084, kHkcu, kExplorer, "Link", std::nullopt, kFlagZero},
        {1104, kHkcu, kMetrics, "MinAnimate", std::nullopt, RegistryValue::String("0")},
        {1130, kHkcu, kPolicies, "ClassicShell", std::nullopt, kFlag},
        {1272, kHkcu, kDesktop, "AutoEndTasks", RegistryValue::String("1"), RegistryValue::String("0")},
        {1131, kHkcu, kDesktop, "SmoothScroll", kFlag, kFlagZero},
        {1132, kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
         "UseDoubleClickTimer", kFlag, kFlagZero},
        {1076, kHkcu, kPolicies, "NoActiveDesktop", std::nullopt, kFlag},
        {1144, kHkcu, kDesktop, "PaintDesktopVersion", RegistryValue::String("1"), std::nullopt},
        {1215, kHkcr, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder", "Attributes",
         RegistryValue::Binary({0x70, 0x01, 0x00, 0x20}), RegistryValue::Binary({0x40, 0x01, 0x00, 0x20})},
    };
    for (const CheckRow& row : rows) {
        CheckBothBranches(run, page, "Desktop", row);
    }

    // My Computer opens Explorer: the command key with its parents, then both keys removed again.
    const HWND myComputer = Control(page, 1122);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(myComputer);
        ASSERT_TRUE(Click(myComputer));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Desktop", [&](ExpectedChanges& expected) {
            if (checked) {
                expected.Set(kHkcr, std::string(kMyComputerOpen) + "\\Command", "",
                             RegistryValue::String("explorer.exe"));
            } else {
                expected.RemoveKey(kHkcr, kMyComputerOpen);
            }
        })) << "1122";
    }

    // The beep is a system parameter: Wine keeps it under Control Panel\Sound.
    const HWND beep = Control(page, 1133);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(beep);
        ASSERT_TRUE(Click(beep));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Desktop", [&](ExpectedChanges& expected) {
            expected.Set(kHkcu, "Control Panel\\Sound", "Beep",
                         RegistryValue::String(checked ? "Yes" : "No"));
        })) << "1133";
    }

    // Shortcut arrows: Small and None name the icon library, Normal deletes the value; each rebuilds icons.
    const std::string shellIcons = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
    const struct {
        int control;
        std::optional<std::string> text;
    } arrows[] = {{1242, SystemDirectory() + "\\Icobank.exe,1"},
                  {1244, SystemDirectory() + "\\Icobank.exe,2"},
                  {1241, std::nullopt}};
    for (const auto& arrow : arrows) {
        if (IsChecked(Control(page, arrow.control))) {
            continue;  // no change to apply
        }
        ASSERT_TRUE(Click(Control(page, arrow.control)));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Desktop", [&](ExpectedChanges& expected) {
            if (arrow.text) {
                expected.Set(kHklm, shellIcons, "29", RegistryValue::String(*arrow.text));
            } else {
                expected.Remove(kHklm, shellIcons, "29");
            }
            // The icon-cache rebuild that follows puts the icon size back as it stood: no change.
        })) << arrow.control;
    }

    // Icon size: "Huge" and "Small".
    for (const auto& [index, text] : {std::pair{3, "64"}, std::pair{0, "16"}}) {
        SelectComboItem(page, 1025, index);
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Desktop",
                                    [&](ExpectedChanges& expected) {
                                        expected.Set(kHkcu, kMetrics, "Shell Icon Size",
                                                     RegistryValue::String(text));
                                    }))
            << "1025 " << text;
    }
    EXPECT_TRUE(run.CloseWith(main_window::kCancel));
}

TEST(SettingPagesDiff, StartMenuRowsChangeOnlyTheirOwnValues) {
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Start Menu");
    ASSERT_NE(page, nullptr);
    const CheckRow rows[] = {
        {1000, kHkcu, kPolicies, "NoLogoff", std::nullopt, kFlag},
        {1001, kHkcu, kPolicies, "NoFavoritesMenu", std::nullopt, kFlag},
        {1002, kHkcu, kPolicies, "NoWindowsUpdate", std::nullopt, kFlag},
        {1003, kHkcu, kPolicies, "NoRecentDocsMenu", std::nullopt, kFlag},
        {1004, kHkcu, kPolicies, "ClearRecentDocsOnExit", kFlag, std::nullopt},
        {1072, kHkcu, kPolicies, "NoRun", std::nullopt, kFlag},
        {1071, kHkcu, kPolicies, "NoFind", std::nullopt, kFlag},
        {1075, kHkcu, kPolicies, "NoFolderOptions", std::nullopt, kFlag},
        {1073, kHkcu, kPolicies, "NoClose", std::nullopt, kFlag},
        {1070, kHkcu, kPolicies, "NoRecentDocsHistory", std::nullopt, kFlag},
        {1074, kHkcu, kPolicies, "NoSetFolders", std::nullopt, kFlag},
        {1076, kHkcu, kPolicies, "NoSetActiveDesktop", std::nullopt, kFlag},
    };
    for (const CheckRow& row : rows) {
        CheckBothBranches(run, page, "Start Menu", row);
    }
    // The delay is written as typed; the up arrow then counts as typing too.
    const HWND delay = Control(page, 1206);
    ASSERT_TRUE(SetText(delay, "450"));
    ASSERT_TRUE(run.Apply());
    EXPECT_TRUE(run.OnlyChanged("Start Menu", [](ExpectedChanges& expected) {
        expected.Set(kHkcu, kDesktop, "MenuShowDelay", RegistryValue::String("450"));
    }));
    SendMessageA(Control(page, 1207), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 451), 0);
    SendMessageA(delay, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("451"));
    ASSERT_TRUE(run.Apply());
    EXPECT_TRUE(run.OnlyChanged("Start Menu", [](ExpectedChanges& expected) {
        expected.Set(kHkcu, kDesktop, "MenuShowDelay", RegistryValue::String("451"));
    }));
    EXPECT_TRUE(run.CloseWith(main_window::kCancel));
}

// A shell verb: checked writes the command under "<verb>\command", unchecked removes the verb's key.
void CheckVerb(ProgramRun& run, HWND page, int control, const std::string& verb, const std::string& command) {
    const HWND box = Control(page, control);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(box);
        ASSERT_TRUE(Click(box));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Miscellaneous", [&](ExpectedChanges& expected) {
            if (checked) {
                expected.Set(kHkcr, verb + "\\command", "", RegistryValue::String(command));
            } else {
                expected.RemoveKey(kHkcr, verb);
            }
        })) << control;
    }
}

TEST(SettingPagesDiff, MiscellaneousRowsChangeOnlyTheirOwnValues) {
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Miscellaneous");
    ASSERT_NE(page, nullptr);
    const CheckRow rows[] = {
        {1012, kHkcu, kPolicies, "NoStartBanner", std::nullopt, kFlag},
        {1087, kHkcr, "AudioCD\\shell", "", RegistryValue::String("play"), RegistryValue::String("")},
        {1088, kHkcu, kPolicies, "NoDriveTypeAutoRun", RegistryValue::Binary({0x95, 0, 0, 0}),
         RegistryValue::Binary({0xB5, 0, 0, 0})},
        {1089, kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Tips", "Show", kFlag,
         std::nullopt},
        {1272, kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp", "NoRealMode",
         std::nullopt, RegistryValue::Dword(1)},
        {1205, kHkcu, kDesktop, "CursorBlinkRate", RegistryValue::String("65535"),
         RegistryValue::String("500")},
    };
    for (const CheckRow& row : rows) {
        CheckBothBranches(run, page, "Miscellaneous", row);
    }
    // Numeric tails, confirmed at Apply.
    CheckBothBranches(run, page, "Miscellaneous",
                      {1042, kHklm, "System\\CurrentControlSet\\control\\FileSystem", "NameNumericTail",
                       std::nullopt, kFlagZero},
                      "Velmora 99 - Important Message!");
    // Colour depth, with the icon rebuild after it.
    const HWND colours = Control(page, 1024);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(colours);
        ASSERT_TRUE(Click(colours));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Miscellaneous", [&](ExpectedChanges& expected) {
            expected.Set(kHkcu, kMetrics, "Shell Icon BPP", RegistryValue::String(checked ? "16" : "4"));
            // The icon-cache rebuild puts the icon size back as it stood.
        })) << "1024";
    }
    CheckVerb(run, page, 1043, "Unknown\\shell\\View With Notepad", "notepad.exe %1");
    CheckVerb(run, page, 1044, "Unknown\\shell\\View With Wordpad", "write.exe \"%1\"");
    CheckVerb(run, page, 1216, "*\\shell\\Open with Notepad", "notepad.exe %1");
    CheckVerb(run, page, 1217, "*\\shell\\Open with Wordpad", "write.exe \"%1\"");
    CheckVerb(run, page, 1223, "Directory\\shell\\E&xplore From Here", "explorer.exe /e,/root,/idlist,%i");
    EXPECT_TRUE(run.CloseWith(main_window::kCancel));
}

// Window dragging and font smoothing are system parameters, enabled on NT only under Wine.
TEST(SettingPagesDiff, MiscellaneousSystemParametersOnNtChangeOnlyTheirOwnValues) {
    ProgramRun run(WindowsVersion::Nt);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Miscellaneous");
    ASSERT_NE(page, nullptr);
    const HWND drag = Control(page, 1013);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(drag);
        ASSERT_TRUE(Click(drag));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Miscellaneous", [&](ExpectedChanges& expected) {
            expected.Set(kHkcu, kDesktop, "DragFullWindows", RegistryValue::String(checked ? "1" : "0"));
        })) << "1013";
    }
    const HWND smoothing = Control(page, 1014);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(smoothing);
        ASSERT_TRUE(Click(smoothing));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Miscellaneous", [&](ExpectedChanges& expected) {
            expected.Set(kHkcu, kDesktop, "FontSmoothing", RegistryValue::String(checked ? "1" : "0"));
        })) << "1014";
    }
    EXPECT_TRUE(run.CloseWith(main_window::kCancel));
}

// The 9x logon key, which Wine does not have; created for the run so that the autologon is written.
class ScopedLogonKey {
  public:
    ScopedLogonKey() : existed_(KeyPresent(kHklm, kLogon)) {
        WriteRawValue(kHklm, kLogon, "Velmora e2e", RegistryValue::String(""));
        RemoveValue(kHklm, kLogon, "Velmora e2e");
    }
    ~ScopedLogonKey() {
        if (!existed_) {
            RemoveKeyTree(kHklm, kLogon);
        }
    }

  private:
    bool existed_;
};

TEST(SettingPagesDiff, SecurityRowsChangeOnlyTheirOwnValues) {
    const ScopedLogonKey logonKey;
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Security");
    ASSERT_NE(page, nullptr);
    const CheckRow rows[] = {
        {1040, kHkcu, kPolicies, "NoAddPrinter", std::nullopt, kFlag},
        {1041, kHkcu, kPolicies, "NoDeletePrinter", std::nullopt, kFlag},
        {1045, kHkcu, kPolicies, "NoFileMenu", std::nullopt, kFlag},
        {1051, kHkcu, kPolicies, "NoChangeStartMenu", std::nullopt, kFlag},
        {1048, kHkcu, kPolicies, "NoDrives", std::nullopt, kFlag},
        {1047, kHkcu, kPolicies, "NoSetTaskbar", std::nullopt, kFlag},
        {1049, kHkcu, kPolicies, "NoTrayContextMenu", std::nullopt, kFlag},
        {1050, kHkcu, kPolicies, "NoViewContextMenu", std::nullopt, kFlag},
        {1046, kHkcu, kPolicies, "NoDesktop", kFlag, std::nullopt},
        {1085, kHklm, kLogon, "DontDisplayLastUserName", RegistryValue::String("1"), std::nullopt},
        {1086, kHkcu, kPolicies, "NoSaveSettings", std::nullopt, kFlag},
        {1204, RootKey::Users, ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
         "DisableRegistryTools", RegistryValue::Dword(1), std::nullopt, "Velmora 99 - Important"},
        {1224, kHkcu, kPolicies, "NoPrinterTabs", kFlag, std::nullopt},
    };
    for (const CheckRow& row : rows) {
        CheckBothBranches(run, page, "Security", row);
    }
    // Autologon: the three values written together, and deleted together.
    const HWND autologon = Control(page, 1141);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(autologon);
        ASSERT_TRUE(Touch(run, autologon, "Warning - Velmora 99"));
        if (checked) {
            ASSERT_TRUE(SetText(Control(page, 1065), "anna"));
            ASSERT_TRUE(SetText(Control(page, 1143), "secret"));
        }
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Security", [&](ExpectedChanges& expected) {
            ExpectWrite(expected, kHklm, kLogon, "AutoAdminLogon",
                        checked ? std::optional(RegistryValue::String("1")) : std::nullopt);
            ExpectWrite(expected, kHklm, kLogon, "DefaultUserName",
                        checked ? std::optional(RegistryValue::String("anna")) : std::nullopt);
            ExpectWrite(expected, kHklm, kLogon, "DefaultPassword",
                        checked ? std::optional(RegistryValue::String("secret")) : std::nullopt);
        })) << "1141";
    }
    EXPECT_TRUE(run.CloseWith(main_window::kCancel));
}

// Every control of the four setting pages touched, then Cancel: nothing at all is written.
TEST(SettingPagesDiff, CancelAfterTouchingEveryPageWritesNothing) {
    const ScopedLogonKey logonKey;
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const struct {
        const char* title;
        std::vector<int> boxes;
    } pages[] = {
        {"Start Menu", {1000, 1001, 1002, 1003, 1004, 1070, 1071, 1072, 1073, 1074, 1075, 1076}},
        {"Desktop", {1005, 1011, 1084, 1104, 1130, 1131, 1132, 1133, 1076, 1144, 1122, 1215, 1272, 1242}},
        {"Miscellaneous", {1012, 1024, 1042, 1043, 1044, 1087, 1088, 1089, 1205, 1216, 1217, 1223, 1272}},
        {"Security", {1040, 1041, 1045, 1046, 1047, 1048, 1049, 1050, 1051, 1085, 1086, 1224}},
    };
    for (const auto& touched : pages) {
        const HWND page = run.SelectPage(touched.title);
        ASSERT_NE(page, nullptr) << touched.title;
        for (const int id : touched.boxes) {
            ASSERT_TRUE(Click(Control(page, id))) << touched.title << " " << id;
        }
    }
    const HWND startMenu = run.SelectPage("Start Menu");
    ASSERT_TRUE(SetText(Control(startMenu, 1206), "123"));
    const HWND desktop = run.SelectPage("Desktop");
    SelectComboItem(desktop, 1025, 3);
    const HWND security = run.SelectPage("Security");
    ASSERT_TRUE(Touch(run, Control(security, 1204), "Velmora 99 - Important"));
    ASSERT_TRUE(Touch(run, Control(security, 1141), "Warning - Velmora 99"));
    ASSERT_TRUE(SetText(Control(security, 1065), "anna"));
    ASSERT_TRUE(IsEnabled(Control(run.Main(), main_window::kApply)));
    EXPECT_TRUE(run.CloseWith(main_window::kCancel));
    for (const char* name : {"Start Menu", "Desktop", "Miscellaneous", "Security"}) {
        CountScenario(name, kDiffScenarios);
    }
}

TEST(SettingPagesDiff, OkWithNothingTouchedWritesNothing) {
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    EXPECT_FALSE(IsEnabled(Control(run.Main(), main_window::kApply)));
    EXPECT_TRUE(run.CloseWith(main_window::kOk));
    CountScenario("Main window", kDiffScenarios);
}

}  // namespace
}  // namespace velmora::e2e
