// Every setting of the four setting pages as the companion lists it, read from the pages' own tables:
// the page, the caption that names it, how its state is shown, and where it is kept. One entry per
// control: a row, and each part of a row (the Start Menu folders, the logon name and password).
#pragma once

#include <string>
#include <vector>

#include "registry/Registry.h"
#include "settings/Pages.h"
#include "settings/SettingRow.h"

namespace velmora::cli {

enum class Page { kStartMenu, kDesktop, kMiscellaneous, kSecurity };
PageId IdOf(Page page);
// The page's tab title.
const char* PageName(Page page);

// One place a setting is kept in the registry.
struct Location {
    enum Kind {
        kValue,  // one value
        kTree,   // a key the page creates as a unit and deletes again (a shell verb), with every value and
                 // subkey below it: the setting is the key's presence
    };
    Kind kind;
    RootKey root;
    std::string key;
    std::string value;  // kValue only; empty is the default value
};

struct ListedSetting {
    Page page;
    int control;
    std::string caption;  // as the dialog shows it, "&" included
    CaptionFrom captionFrom;
    Shown state;
    int row;    // the model's row
    int index;  // the member it is bound to: the row, or the part's number
    LoadWhen load;
    std::vector<Location> locations;  // empty when the setting is not kept in the registry
    std::string elsewhere;            // where it lives when not in the registry
};

// The entries in each page's apply order, pages in the order Start Menu, Desktop, Miscellaneous,
// Security (the order the main window applies them in).
const std::vector<ListedSetting>& ListedSettings();

// The names of the radio choices and the combo items, as the dialog shows them.
const std::vector<std::string>& ArrowChoices();     // Normal, Small, None
const std::vector<std::string>& IconSizeChoices();  // Small, Default, Big, Huge

// "HKEY_CURRENT_USER" and so on.
const char* RootName(RootKey root);
// "HKEY_CURRENT_USER\path [value]", or "HKEY_...\path (key)" for a whole key.
std::string Describe(const Location& location);

}  // namespace velmora::cli
