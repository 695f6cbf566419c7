#include "cli/core/PageSettings.h"

#include "settings/DesktopSettings.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"

namespace velmora::cli {
namespace {

// A key location stands for the key as a unit and for the command its subkey runs.
std::vector<Location> LocationsOf(const velmora::Location& at, const RegistryAction& checked) {
    if (at.key == nullptr) {
        return {};
    }
    if (at.value == nullptr) {
        const std::string command =
            std::string(at.key) + "\\" + (checked.text != nullptr ? checked.text : "");
        return {Location{Location::kTree, at.root, at.key, ""},
                Location{Location::kValue, at.root, command, ""}};
    }
    return {Location{Location::kValue, at.root, at.key, at.value}};
}

void AddPage(Page page, std::span<const SettingRow> table, std::vector<ListedSetting>& out) {
    for (const SettingRow& row : table) {
        if (row.control != 0) {
            out.push_back(ListedSetting{page, row.control, row.caption, row.captionFrom, row.shown, row.row,
                                        row.row, row.load, LocationsOf(row.at, row.checked),
                                        row.elsewhere != nullptr ? row.elsewhere : ""});
        }
        for (std::size_t i = 0; i < row.parts.size(); ++i) {
            const RowPart& part = row.parts[i];
            const std::string elsewhere =
                part.directory != nullptr
                    ? std::string("directory \"") + (part.directory + 1) + "\" in the Start Menu folder"
                    : "";
            out.push_back(ListedSetting{page, part.control, part.caption, part.captionFrom, part.shown,
                                        row.row, static_cast<int>(i), row.load, LocationsOf(part.at, {}),
                                        elsewhere});
        }
    }
}

}  // namespace

PageId IdOf(Page page) {
    switch (page) {
        case Page::kStartMenu:
            return PageId::kStartMenu;
        case Page::kDesktop:
            return PageId::kDesktop;
        case Page::kMiscellaneous:
            return PageId::kMiscellaneous;
        case Page::kSecurity:
            break;
    }
    return PageId::kSecurity;
}

const char* PageName(Page page) {
    return TitleOf(IdOf(page));
}

const std::vector<ListedSetting>& ListedSettings() {
    static const std::vector<ListedSetting> settings = [] {
        std::vector<ListedSetting> all;
        AddPage(Page::kStartMenu, StartMenuSettings::Table(), all);
        AddPage(Page::kDesktop, DesktopSettings::Table(), all);
        AddPage(Page::kMiscellaneous, MiscSettings::Table(), all);
        AddPage(Page::kSecurity, SecuritySettings::Table(), all);
        return all;
    }();
    return settings;
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
