// Whole-registry differences of the setting pages: every row is touched, applied, and the registry must
// differ from its capture before the program started by exactly what the row writes or deletes; then the
// registry is put back and the row is touched and applied again, which runs its other branch. Cancel
// after touching every control, and OK with nothing touched, change nothing at all.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "settings/DesktopSettings.h"
#include "settings/Locations.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ReliabilityCounts.h"
#include "tests/e2e/harness/WindowState.h"
#include "tests/e2e/reliability/ProgramRun.h"

namespace velmora::e2e {
namespace {

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";

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

// What a state of a table row writes, as the registry will hold it; nothing when it deletes.
std::optional<RegistryValue> Written(const RegistryAction& action) {
    switch (action.kind) {
        case RegistryAction::kBinary:
            return RegistryValue::Binary({action.bytes.begin(), action.bytes.end()});
        case RegistryAction::kDword:
            return RegistryValue::Dword(action.number);
        case RegistryAction::kString:
            return RegistryValue::String(action.text);
        default:
            return std::nullopt;
    }
}

// Every row of a page's table that the table alone describes (no apply routine of its own), touched and
// applied both ways: a value row must change its value alone, a key row (a shell verb) must add its
// command and remove its key again. `notices` gives the notice a box shows when it becomes checked.
template <class Model>
void CheckTableRows(ProgramRun& run, HWND page, const std::string& pageName,
                    const std::vector<std::pair<int, const char*>>& notices = {}) {
    for (const auto& row : Model::Table()) {
        if (AppliesOwn(row.routine) || row.at.key == nullptr) {
            continue;
        }
        const char* notice = nullptr;
        for (const auto& [control, text] : notices) {
            notice = control == row.control ? text : notice;
        }
        if (row.at.value != nullptr) {
            CheckBothBranches(run, page, pageName,
                              {row.control, row.at.root, row.at.key, row.at.value, Written(row.checked),
                               Written(row.unchecked), notice});
            continue;
        }
        const HWND box = Control(page, row.control);
        for (int branch = 0; branch < 2; ++branch) {
            const bool checked = !IsChecked(box);
            ASSERT_TRUE(Click(box));
            ASSERT_TRUE(run.Apply());
            EXPECT_TRUE(run.OnlyChanged(
                pageName,
                [&](ExpectedChanges& expected) {
                    if (checked) {
                        expected.Set(row.at.root, std::string(row.at.key) + "\\" + row.checked.text, "",
                                     RegistryValue::String(row.checked.command));
                    } else {
                        expected.RemoveKey(row.at.root, row.at.key);
                    }
                }))
                << pageName << " " << row.control;
        }
    }
}

// The check boxes of a page's table that Windows 98 without the extensions enables, but `except`.
template <class Model>
std::vector<int> CheckBoxes(std::initializer_list<int> except = {}) {
    std::vector<int> boxes;
    for (const auto& row : Model::Table()) {
        if (row.control != 0 && row.shown == Shown::kCheck && row.load != LoadWhen::kWithShellExtensions &&
            std::find(except.begin(), except.end(), row.control) == except.end()) {
            boxes.push_back(row.control);
        }
    }
    return boxes;
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
    CheckTableRows<DesktopSettings>(run, page, "Desktop");

    // The beep is a system parameter: Wine keeps it under Control Panel\Sound.
    const HWND beep = Control(page, IDC_DESKTOP_BEEP_BOX);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(beep);
        ASSERT_TRUE(Click(beep));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Desktop", [&](ExpectedChanges& expected) {
            expected.Set(kHkcu, "Control Panel\\Sound", "Beep",
                         RegistryValue::String(checked ? "Yes" : "No"));
        })) << "IDC_DESKTOP_BEEP_BOX";
    }

    // Shortcut arrows: Small and None name the icon library, Normal deletes the value; each rebuilds icons.
    const std::string shellIcons = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
    const struct {
        int control;
        std::optional<std::string> text;
    } arrows[] = {{IDC_DESKTOP_ARROW_SMALL_RADIO, SystemDirectory() + "\\Icobank.exe,1"},
                  {IDC_DESKTOP_ARROW_NONE_RADIO, SystemDirectory() + "\\Icobank.exe,2"},
                  {IDC_DESKTOP_ARROW_NORMAL_RADIO, std::nullopt}};
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
        SelectComboItem(page, IDC_DESKTOP_ICON_SIZE_COMBO, index);
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Desktop",
                                    [&](ExpectedChanges& expected) {
                                        expected.Set(kHkcu, kMetrics, "Shell Icon Size",
                                                     RegistryValue::String(text));
                                    }))
            << "IDC_DESKTOP_ICON_SIZE_COMBO " << text;
    }
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

TEST(SettingPagesDiff, StartMenuRowsChangeOnlyTheirOwnValues) {
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Start Menu");
    ASSERT_NE(page, nullptr);
    CheckTableRows<StartMenuSettings>(run, page, "Start Menu");
    // The delay is written as typed; the up arrow then counts as typing too.
    const HWND delay = Control(page, IDC_STARTMENU_DELAY_EDIT);
    ASSERT_TRUE(SetTextOf(delay, "450"));
    ASSERT_TRUE(run.Apply());
    EXPECT_TRUE(run.OnlyChanged("Start Menu", [](ExpectedChanges& expected) {
        expected.Set(kHkcu, kDesktop, "MenuShowDelay", RegistryValue::String("450"));
    }));
    SendMessageA(Control(page, IDC_STARTMENU_DELAY_SPIN), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 451), 0);
    SendMessageA(delay, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("451"));
    ASSERT_TRUE(run.Apply());
    EXPECT_TRUE(run.OnlyChanged("Start Menu", [](ExpectedChanges& expected) {
        expected.Set(kHkcu, kDesktop, "MenuShowDelay", RegistryValue::String("451"));
    }));
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

TEST(SettingPagesDiff, MiscellaneousRowsChangeOnlyTheirOwnValues) {
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Miscellaneous");
    ASSERT_NE(page, nullptr);
    CheckTableRows<MiscSettings>(run, page, "Miscellaneous");
    // Numeric tails, confirmed at Apply.
    CheckBothBranches(run, page, "Miscellaneous",
                      {IDC_MISC_NUMERIC_TAIL_BOX, kHklm, "System\\CurrentControlSet\\control\\FileSystem",
                       "NameNumericTail", std::nullopt, kFlagZero},
                      "Velmora 99 - Important Message!");
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

// Window dragging and font smoothing are system parameters, enabled on NT only under Wine.
TEST(SettingPagesDiff, MiscellaneousSystemParametersOnNtChangeOnlyTheirOwnValues) {
    ProgramRun run(WindowsVersion::Nt);
    ASSERT_TRUE(run.Start());
    const HWND page = run.SelectPage("Miscellaneous");
    ASSERT_NE(page, nullptr);
    const HWND drag = Control(page, IDC_MISC_DRAG_FULL_WINDOWS_BOX);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(drag);
        ASSERT_TRUE(Click(drag));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Miscellaneous", [&](ExpectedChanges& expected) {
            expected.Set(kHkcu, kDesktop, "DragFullWindows", RegistryValue::String(checked ? "1" : "0"));
        })) << "IDC_MISC_DRAG_FULL_WINDOWS_BOX";
    }
    const HWND smoothing = Control(page, IDC_MISC_FONT_SMOOTHING_BOX);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(smoothing);
        ASSERT_TRUE(Click(smoothing));
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Miscellaneous", [&](ExpectedChanges& expected) {
            expected.Set(kHkcu, kDesktop, "FontSmoothing", RegistryValue::String(checked ? "1" : "0"));
        })) << "IDC_MISC_FONT_SMOOTHING_BOX";
    }
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
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
    CheckTableRows<SecuritySettings>(run, page, "Security",
                                     {{IDC_SECURITY_REGEDIT_BOX, "Velmora 99 - Important"}});
    // Autologon: the three values written together, and deleted together.
    const HWND autologon = Control(page, IDC_SECURITY_AUTOLOGON_BOX);
    for (int branch = 0; branch < 2; ++branch) {
        const bool checked = !IsChecked(autologon);
        ASSERT_TRUE(Touch(run, autologon, "Warning - Velmora 99"));
        if (checked) {
            ASSERT_TRUE(SetTextOf(Control(page, IDC_SECURITY_USER_NAME_EDIT), "anna"));
            ASSERT_TRUE(SetTextOf(Control(page, IDC_SECURITY_PASSWORD_EDIT), "secret"));
        }
        ASSERT_TRUE(run.Apply());
        EXPECT_TRUE(run.OnlyChanged("Security", [&](ExpectedChanges& expected) {
            ExpectWrite(expected, kHklm, kLogon, "AutoAdminLogon",
                        checked ? std::optional(RegistryValue::String("1")) : std::nullopt);
            ExpectWrite(expected, kHklm, kLogon, "DefaultUserName",
                        checked ? std::optional(RegistryValue::String("anna")) : std::nullopt);
            ExpectWrite(expected, kHklm, kLogon, "DefaultPassword",
                        checked ? std::optional(RegistryValue::String("secret")) : std::nullopt);
        })) << "IDC_SECURITY_AUTOLOGON_BOX";
    }
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
}

// Every control of the four setting pages touched, then Cancel: nothing at all is written.
TEST(SettingPagesDiff, CancelAfterTouchingEveryPageWritesNothing) {
    const ScopedLogonKey logonKey;
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    // Every check box a Windows 98 without the extensions enables, but those that show a notice (touched
    // below); on the Desktop page also one arrow choice.
    std::vector<int> desktopBoxes = CheckBoxes<DesktopSettings>();
    desktopBoxes.push_back(IDC_DESKTOP_ARROW_SMALL_RADIO);
    const struct {
        const char* title;
        std::vector<int> boxes;
    } pages[] = {
        {"Start Menu", CheckBoxes<StartMenuSettings>()},
        {"Desktop", desktopBoxes},
        {"Miscellaneous", CheckBoxes<MiscSettings>()},
        {"Security", CheckBoxes<SecuritySettings>({IDC_SECURITY_REGEDIT_BOX, IDC_SECURITY_AUTOLOGON_BOX})},
    };
    for (const auto& touched : pages) {
        const HWND page = run.SelectPage(touched.title);
        ASSERT_NE(page, nullptr) << touched.title;
        for (const int id : touched.boxes) {
            ASSERT_TRUE(Click(Control(page, id))) << touched.title << " " << id;
        }
    }
    const HWND startMenu = run.SelectPage("Start Menu");
    ASSERT_TRUE(SetTextOf(Control(startMenu, IDC_STARTMENU_DELAY_EDIT), "123"));
    const HWND desktop = run.SelectPage("Desktop");
    SelectComboItem(desktop, IDC_DESKTOP_ICON_SIZE_COMBO, 3);
    const HWND security = run.SelectPage("Security");
    ASSERT_TRUE(Touch(run, Control(security, IDC_SECURITY_REGEDIT_BOX), "Velmora 99 - Important"));
    ASSERT_TRUE(Touch(run, Control(security, IDC_SECURITY_AUTOLOGON_BOX), "Warning - Velmora 99"));
    ASSERT_TRUE(SetTextOf(Control(security, IDC_SECURITY_USER_NAME_EDIT), "anna"));
    ASSERT_TRUE(IsEnabled(Control(run.Main(), IDC_MAIN_APPLY_BUTTON)));
    EXPECT_TRUE(run.CloseWith(IDCANCEL));
    for (const char* name : {"Start Menu", "Desktop", "Miscellaneous", "Security"}) {
        CountScenario(name, kDiffScenarios);
    }
}

TEST(SettingPagesDiff, OkWithNothingTouchedWritesNothing) {
    ProgramRun run(WindowsVersion::Windows98);
    ASSERT_TRUE(run.Start());
    EXPECT_FALSE(IsEnabled(Control(run.Main(), IDC_MAIN_APPLY_BUTTON)));
    EXPECT_TRUE(run.CloseWith(IDOK));
    CountScenario("Main window", kDiffScenarios);
}

}  // namespace
}  // namespace velmora::e2e
