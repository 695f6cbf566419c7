#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli/core/Json.h"
#include "cli/core/PageSettings.h"
#include "cli/core/Show.h"
#include "registry/RegistryStore.h"
#include "settings/DesktopSettings.h"
#include "settings/Locations.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/Windows.h"
#include "text/Utf.h"

namespace velmora::cli {
namespace {

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;
constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr const char* kLogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";

// ---- captions against the dialog templates ----

// The names res/resource.h defines, each with its value as the resource compiler reads it (a caption's
// \042 as the resource script's "").
std::map<std::string, std::string> ResourceNames() {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/res/resource.h");
    EXPECT_TRUE(in);
    std::map<std::string, std::string> names;
    const std::regex define("^#define\\s+(\\w+)\\s+(.+)$");
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_match(line, match, define)) {
            names[match[1]] = std::regex_replace(match[2].str(), std::regex("\\\\042"), "\"\"");
        }
    }
    return names;
}

// The lines of a dialog template with every name of res/resource.h replaced by its value.
std::vector<std::string> ReadLines(const std::string& file) {
    static const auto names = ResourceNames();
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/res/dialogs/" + file);
    EXPECT_TRUE(in) << file;
    std::vector<std::string> lines;
    const std::regex word("\\b[A-Z][A-Z0-9_]+\\b");
    for (std::string line; std::getline(in, line);) {
        std::string expanded;
        auto from = line.cbegin();
        for (std::sregex_iterator it(line.begin(), line.end(), word), end; it != end; ++it) {
            const auto found = names.find(it->str());
            expanded.append(from, line.cbegin() + it->position());
            expanded += found != names.end() ? found->second : it->str();
            from = line.cbegin() + it->position() + it->length();
        }
        lines.push_back(expanded.append(from, line.cend()));
    }
    return lines;
}

// The first quoted text of a resource line, "" read as one quote.
std::string QuotedText(const std::string& line) {
    std::string text;
    std::size_t pos = line.find('"');
    if (pos == std::string::npos) {
        return text;
    }
    for (++pos; pos < line.size(); ++pos) {
        if (line[pos] == '"') {
            if (pos + 1 < line.size() && line[pos + 1] == '"') {
                text += '"';
                ++pos;
                continue;
            }
            break;
        }
        text += line[pos];
    }
    return text;
}

bool Starts(const std::string& line, const char* word) {
    return line.find_first_not_of(' ') != std::string::npos &&
           line.compare(line.find_first_not_of(' '), std::string(word).size(), word) == 0;
}

// The index of the control statement with this id (not a DLGINIT entry).
std::size_t ControlLine(const std::vector<std::string>& lines, int id) {
    const std::regex statement("^\\s*[A-Z]+\\s.*[\\s,]" + std::to_string(id) + ",");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::regex_search(lines[i], statement) && lines[i].find("0x0403") == std::string::npos) {
            return i;
        }
    }
    ADD_FAILURE() << "no control " << id;
    return 0;
}

std::string DialogFile(Page page) {
    switch (page) {
        case Page::kStartMenu:
            return "129_StartMenu.rc";
        case Page::kDesktop:
            return "130_Desktop.rc";
        case Page::kMiscellaneous:
            return "134_Miscellaneous.rc";
        case Page::kSecurity:
            return "140_Security.rc";
    }
    return "";
}

TEST(CliCaptionTest, EveryCaptionIsTheTextOfItsControlInTheDialogTemplate) {
    for (const ListedSetting& row : ListedSettings()) {
        const auto lines = ReadLines(DialogFile(row.page));
        std::size_t at = ControlLine(lines, row.control);
        if (row.captionFrom != CaptionFrom::kControl) {
            const char* word = row.captionFrom == CaptionFrom::kLabelBefore ? "LTEXT" : "GROUPBOX";
            while (at > 0 && !Starts(lines[at], word)) {
                --at;
            }
        }
        EXPECT_EQ(row.caption, QuotedText(lines[at])) << PageName(row.page) << " " << row.control;
    }
}

TEST(CliCaptionTest, ChoicesAreTheRadioTextsAndTheComboItems) {
    const auto lines = ReadLines("130_Desktop.rc");
    const int radios[] = {IDC_DESKTOP_ARROW_NORMAL_RADIO, IDC_DESKTOP_ARROW_SMALL_RADIO,
                          IDC_DESKTOP_ARROW_NONE_RADIO};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ArrowChoices()[i], QuotedText(lines[ControlLine(lines, radios[i])]));
    }
    std::vector<std::string> items;
    for (const std::string& line : lines) {
        if (line.find(std::to_string(IDC_DESKTOP_ICON_SIZE_COMBO) + ", 0x0403") != std::string::npos) {
            const std::string text = QuotedText(line);
            items.push_back(text.substr(0, text.find("\\0")));
        }
    }
    EXPECT_EQ(IconSizeChoices(), items);
}

TEST(CliCaptionTest, EachControlOfTheFourPagesAppearsOnce) {
    std::set<std::pair<Page, int>> seen;
    for (const ListedSetting& row : ListedSettings()) {
        EXPECT_TRUE(seen.insert({row.page, row.control}).second) << row.caption;
    }
}

// ---- show ----

class CliShowTest : public ::testing::Test {
  protected:
    RegistryStore Store() { return RegistryStore(fakes_.registry); }

    // A Windows 98 machine with a mix of set and missing values, so that both states occur on every page.
    void PrepareWindows98() {
        fakes_.parameters.results[spi::kGetWindowsExtension] = 0;
        Store().WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion", "Version", "Windows 98");
        Store().WriteBinary(kHkcu, kPolicies, "NoInternetIcon", kFlagOn);
        Store().WriteBinary(kHkcu, kPolicies, "NoFind", kFlagOn);
        Store().WriteBinary(kHkcu, kPolicies, "ClearRecentDocsOnExit", kFlagOn);
        Store().WriteBinary(kHkcu, kPolicies, "NoFileMenu", kFlagOn);
        Store().WriteBinary(kHkcu, kPolicies, "NoPrinterTabs", kFlagOn);
        Store().WriteString(kHkcu, "Control Panel\\Desktop", "PaintDesktopVersion", "1");
        Store().WriteString(kHkcu, "Control Panel\\Desktop", "MenuShowDelay", "250");
        Store().WriteString(kHkcu, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size", "48");
        Store().WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
                            "29", "C:\\WINDOWS\\SYSTEM\\Icobank.exe,2");
        Store().WriteString(RootKey::ClassesRoot, "Unknown\\shell\\View With Notepad\\command", "",
                            "notepad %1");
        Store().WriteString(kHklm, kLogon, "AutoAdminLogon", "1");
        Store().WriteString(kHklm, kLogon, "DefaultUserName", "guest");
        Store().WriteString(kHklm, kLogon, "DefaultPassword", "secret");
        Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Start Menu", "C:\\WINDOWS\\Start Menu");
        fakes_.directories.AddDirectory(
            "C:\\WINDOWS\\Start Menu\\Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}");
    }

    const ShownSetting& Row(Page page, int control, const ShowReport& report) {
        for (const ShownSetting& s : report.settings) {
            if (s.row->page == page && s.row->control == control) {
                return s;
            }
        }
        throw std::runtime_error("no row");
    }

    FakeServices fakes_;
    Services services_ = fakes_.Get();
};

TEST_F(CliShowTest, EveryRowShowsWhatItsPageModelHoldsAfterLoad) {
    PrepareWindows98();
    const ShowReport report = CollectShow(services_);
    EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);

    // The pages' models, loaded as the main window loads them on Windows 98 without the extensions.
    StartMenuSettings startMenu(services_);
    startMenu.Load(testing::kWindows98);
    DesktopSettings desktop(services_);
    desktop.Load(testing::kWindows98);
    MiscSettings misc(services_);
    misc.Load(testing::kWindows98);
    SecuritySettings security(services_);
    security.Load(testing::kWindows98);

    const auto check = [](int state) { return std::string(state == 1 ? "checked" : "unchecked"); };
    int checked = 0;
    int unchecked = 0;
    ASSERT_EQ(report.settings.size(), ListedSettings().size());
    for (const ShownSetting& s : report.settings) {
        const ListedSetting& row = *s.row;
        const auto index = static_cast<std::size_t>(row.index);
        std::string expected;
        switch (row.state) {
            case Shown::kCheck:
                expected = check(row.page == Page::kDesktop         ? desktop.check[index]
                                 : row.page == Page::kStartMenu     ? startMenu.check[index]
                                 : row.page == Page::kMiscellaneous ? misc.check[index]
                                                                    : security.check[index]);
                break;
            case Shown::kFolder:
                expected = check(startMenu.folder[index]);
                break;
            case Shown::kArrows:
                expected = ArrowChoices()[static_cast<std::size_t>(desktop.shortcutArrows)];
                break;
            case Shown::kIconSize:
                expected = IconSizeChoices()[static_cast<std::size_t>(desktop.iconSize)];
                break;
            case Shown::kMenuDelay:
                expected = startMenu.menuDelay;
                break;
            case Shown::kUserName:
                expected = security.userName;
                break;
            case Shown::kPassword:
                expected = std::string(security.password.size(), '*');
                break;
        }
        if (row.load == LoadWhen::kWithShellExtensions) {
            EXPECT_FALSE(s.loaded) << row.caption;
            continue;
        }
        EXPECT_TRUE(s.loaded) << row.caption;
        EXPECT_EQ(s.state, expected) << PageName(row.page) << " / " << row.caption;
        checked += s.state == "checked";
        unchecked += s.state == "unchecked";
    }
    EXPECT_GT(checked, 5);
    EXPECT_GT(unchecked, 5);

    // A few by hand, against what was stored.
    EXPECT_EQ(Row(Page::kDesktop, IDC_DESKTOP_SHOW_INTERNET_ICON_BOX, report).state, "unchecked");
    EXPECT_EQ(Row(Page::kDesktop, IDC_DESKTOP_WINDOWS_VERSION_BOX, report).state, "checked");
    EXPECT_EQ(Row(Page::kDesktop, IDC_DESKTOP_ARROW_NORMAL_RADIO, report).state, "None");
    EXPECT_EQ(Row(Page::kDesktop, IDC_DESKTOP_ICON_SIZE_COMBO, report).state, "Big");
    EXPECT_EQ(Row(Page::kStartMenu, IDC_STARTMENU_DELAY_EDIT, report).state, "250");
    EXPECT_EQ(Row(Page::kStartMenu, IDC_STARTMENU_PRINTERS_FOLDER_BOX, report).state, "checked");
    EXPECT_EQ(Row(Page::kStartMenu, IDC_STARTMENU_PRINTERS_FOLDER_BOX, report).where,
              "directory C:\\WINDOWS\\Start Menu\\Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}");
    EXPECT_EQ(Row(Page::kMiscellaneous, IDC_MISC_VIEW_WITH_NOTEPAD_BOX, report).state, "checked");
    EXPECT_EQ(Row(Page::kSecurity, IDC_SECURITY_USER_NAME_EDIT, report).state, "guest");
    EXPECT_EQ(Row(Page::kSecurity, IDC_SECURITY_PASSWORD_EDIT, report).state, "******");
    EXPECT_EQ(Row(Page::kSecurity, IDC_SECURITY_FILE_MENU_BOX, report).where,
              std::string("HKEY_CURRENT_USER\\") + keys::kExplorerPolicies + " [NoFileMenu]");
}

TEST_F(CliShowTest, OnWindowsNtTheRowsThePagesDoNotLoadSaySo) {
    fakes_.parameters.results[spi::kGetWindowsExtension] = 0;
    Store().WriteBinary(kHkcu, kPolicies, "NoFileMenu", kFlagOn);
    const ShowReport report = CollectShow(services_);
    EXPECT_FALSE(Row(Page::kSecurity, IDC_SECURITY_FILE_MENU_BOX, report).loaded);
    EXPECT_EQ(Row(Page::kSecurity, IDC_SECURITY_FILE_MENU_BOX, report).state, "n/a");
    EXPECT_EQ(Row(Page::kSecurity, IDC_SECURITY_FILE_MENU_BOX, report).note,
              "no Security page on Windows NT");
    EXPECT_FALSE(Row(Page::kDesktop, IDC_DESKTOP_WINDOWS_VERSION_BOX, report).loaded);
    // NT has full-window drag and font smoothing.
    EXPECT_TRUE(Row(Page::kMiscellaneous, IDC_MISC_DRAG_FULL_WINDOWS_BOX, report).loaded);
    EXPECT_TRUE(Row(Page::kMiscellaneous, IDC_MISC_FONT_SMOOTHING_BOX, report).loaded);
    EXPECT_EQ(Row(Page::kStartMenu, IDC_STARTMENU_CONTROL_PANEL_FOLDER_BOX, report).where,
              "no Start Menu folder (the box is disabled)");
}

TEST_F(CliShowTest, ListsShowFoldersAutorunsByTheirSourceUninstallAndNewEntries) {
    const char* folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    Store().WriteString(kHkcu, folders, "Desktop", "C:\\WINDOWS\\Desktop");
    Store().WriteString(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", "Spooler",
                        "spool.exe");
    Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tray", "tray.exe /q");
    const char* app = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App";
    Store().WriteString(kHklm, app, "DisplayName", "Some App");
    Store().WriteString(kHklm, app, "UninstallString", "unins.exe");
    Store().WriteString(RootKey::ClassesRoot, ".txt", "", "txtfile");
    Store().WriteString(RootKey::ClassesRoot, ".txt\\ShellNew", "NullFile", "");
    Store().WriteString(RootKey::ClassesRoot, "txtfile", "", "Text Document");

    const ShowReport report = CollectShow(services_);
    ASSERT_EQ(report.entries.size(), 5u);
    EXPECT_EQ(report.entries[0].list, "System folders");
    EXPECT_EQ(report.entries[0].value, "C:\\WINDOWS\\Desktop");
    EXPECT_EQ(report.entries[1].source, "Current User");
    EXPECT_EQ(report.entries[1].value, "tray.exe /q");
    EXPECT_EQ(report.entries[2].source, "Services");
    EXPECT_EQ(report.entries[2].name, "Spooler");
    EXPECT_EQ(report.entries[3].name, "Some App");
    EXPECT_EQ(report.entries[3].where, std::string("HKEY_LOCAL_MACHINE\\") + app);
    EXPECT_EQ(report.entries[4].list, "New");
    EXPECT_EQ(report.entries[4].where, "HKEY_CLASSES_ROOT\\.txt\\ShellNew");

    std::ostringstream text;
    PrintShowText(report, text);
    const std::size_t services = text.str().find("\n  Services ");
    ASSERT_NE(services, std::string::npos) << text.str();
    EXPECT_EQ(text.str().substr(text.str().find('\n', services + 1) - 18, 18), "Spooler  spool.exe");
    EXPECT_NE(text.str().find("Uninstall entries (Add/Remove)\n"), std::string::npos);
}

TEST_F(CliShowTest, TextColumnsLineUpAndTextsAreQuoted) {
    PrepareWindows98();
    std::ostringstream out;
    PrintShowText(CollectShow(services_), out);
    std::istringstream lines(out.str());
    std::string header;
    std::getline(lines, header);
    const std::size_t stateColumn = header.find("State");
    const std::size_t locationColumn = header.find("Location");
    ASSERT_NE(stateColumn, std::string::npos);
    for (std::size_t i = 0; i < ListedSettings().size(); ++i) {
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line[stateColumn - 1], ' ') << line;
        EXPECT_NE(line[stateColumn], ' ') << line;
        EXPECT_NE(line[locationColumn], ' ') << line;
    }
    EXPECT_TRUE(std::regex_search(out.str(), std::regex("\nStart Menu +Start Menu delay: +\"250\" +HKEY")))
        << out.str();
}

TEST_F(CliShowTest, ColumnsLineUpByCharactersNotBytes) {
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    Store().WriteString(kHkcu, run, "\u0422\u0435\u0441\u0442", "a.exe");
    Store().WriteString(kHkcu, run, "Abcd", "b.exe");
    std::ostringstream out;
    PrintShowText(CollectShow(services_), out);
    const std::string text = out.str();
    const std::size_t cyrillic = text.find("\u0422\u0435\u0441\u0442");
    const std::size_t latin = text.find("  Abcd");
    ASSERT_NE(cyrillic, std::string::npos) << text;
    ASSERT_NE(latin, std::string::npos) << text;
    const auto column = [&](std::size_t at, const char* command) {
        const std::size_t start = text.rfind('\n', at) + 1;
        return text::Utf16Length(std::string_view(text).substr(start, text.find(command, at) - start));
    };
    EXPECT_EQ(column(cyrillic, "a.exe"), column(latin, "b.exe")) << text;
    // A width of their own (Windows 95 and 98 count the ANSI bytes) pads by it.
    std::ostringstream bytes;
    PrintShowText(CollectShow(services_), bytes, [](std::string_view t) { return t.size(); });
    EXPECT_NE(bytes.str().find("\u0422\u0435\u0441\u0442  a.exe"), std::string::npos) << bytes.str();
    EXPECT_NE(bytes.str().find("Abcd      b.exe"), std::string::npos) << bytes.str();
}

TEST(CliJsonTest, StringsKeepEveryCharacterAndEscapeOnlyWhatUtf8OrJsonCannotHold) {
    const struct {
        const char* text;
        const char* json;
    } cases[] = {
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"tab\tline\n\x1f\x7f", "\"tab\\u0009line\\u000a\\u001f\x7f\""},
        {"Couldn\u00b4t \u20ac \u0081 \u0178", "\"Couldn\u00b4t \u20ac \u0081 \u0178\""},
        {"\u0422\u0435\u0441\u0442 \u0141\u00f3d\u017a \u8868",
         "\"\u0422\u0435\u0441\u0442 \u0141\u00f3d\u017a \u8868\""},
        {"\U0001F600", "\"\U0001F600\""},  // a pair of surrogates is one character
        {"a\xED\xB2\x81"
         "b",
         "\"a\\udc81b\""},                // a lone low surrogate, as the NT registry may hold
        {"\xED\xA0\xBD", "\"\\ud83d\""},  // a high one without its partner
        {"\xED\xA0\xBD\xED\xA0\xBD", "\"\\ud83d\\ud83d\""},  // two highs make no pair
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JsonString(c.text), c.json) << c.text;
        // A profile gives apply back the very text: the reader undoes each escape, surrogates included.
        std::string error;
        const auto read = ParseJson(c.json, error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(read->text, c.text) << c.json;
    }
    std::string error;
    EXPECT_EQ(ParseJson("\"\\ud83d\\ude00 \\/\\b\"", error)->text, "\U0001F600 /\b");
}

TEST_F(CliShowTest, JsonHoldsEveryRowAndEntry) {
    PrepareWindows98();
    Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Quote\"d",
                        "x\u00b4.exe");
    Store().WriteString(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "\u0422\xED\xB2\x81",
                        "y");
    std::ostringstream out;
    PrintShowJson(CollectShow(services_), out);
    const std::string json = out.str();
    std::size_t rows = 0;
    for (std::size_t at = json.find("\"page\": "); at != std::string::npos;
         at = json.find("\"page\": ", at + 1)) {
        ++rows;
    }
    EXPECT_EQ(rows, ListedSettings().size());
    EXPECT_NE(
        json.find("{\"page\": \"Desktop\", \"caption\": \"Prefix \\\"Shortcut To\\\" on new shortcuts\", "
                  "\"control\": 1084, \"loaded\": true, \"state\": \"checked\""),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("\"name\": \"Quote\\\"d\", \"value\": \"x\u00b4.exe\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"name\": \"\u0422\\udc81\", \"value\": \"y\""), std::string::npos) << json;
    // Valid UTF-8 throughout: converting it to UTF-16 and back changes nothing.
    EXPECT_EQ(text::ToUtf8(text::ToUtf16(json)), json);
    EXPECT_EQ(json.find("\xED\xB2"), std::string::npos);
}

}  // namespace
}  // namespace velmora::cli
