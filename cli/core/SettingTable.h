// Every setting of the four setting pages as the companion lists it: the page, the exact caption of its
// control (or of the label or group that names it), how its state is shown, and where it is kept. The
// states themselves always come from the page models; this table only says which member to look at.
#pragma once

#include <string>
#include <vector>

#include "registry/Registry.h"

namespace velmora::cli {

enum class Page { kDesktop, kStartMenu, kMiscellaneous, kSecurity };
const char* PageName(Page page);

// Where the caption comes from in the page's dialog template.
enum class CaptionFrom {
    kControl,      // the control's own text
    kLabelBefore,  // the static text just before the control (edits, combo boxes)
    kGroupBefore,  // the group box just before the control (a radio group)
};

// How the row's state is read from its model and shown.
enum class StateKind {
    kCheck,      // check[modelRow]: checked / unchecked
    kArrows,     // the shortcut arrows' radio choice
    kIconSize,   // the icon size combo's choice
    kMenuDelay,  // the delay edit's text
    kFolder,     // folder[modelRow] of the Start Menu page: checked / unchecked
    kUserName,   // the logon user name's text
    kPassword,   // the logon password's text, masked as the page masks it
};

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

struct SettingRow {
    Page page;
    int control;
    std::string caption;
    CaptionFrom captionFrom;
    StateKind state;
    int modelRow;                     // the model's row (or folder) the state belongs to
    std::vector<Location> locations;  // empty when the setting is not kept in the registry
    std::string elsewhere;            // where it lives when not in the registry
};

// The rows in the order of each page's dialog, pages in the order Start Menu, Desktop, Miscellaneous,
// Security (the main window's order).
const std::vector<SettingRow>& SettingRows();

// The names of the radio choices and the combo items, as the dialog shows them.
const std::vector<std::string>& ArrowChoices();     // Normal, Small, None
const std::vector<std::string>& IconSizeChoices();  // Small, Default, Big, Huge

// "HKEY_CURRENT_USER" and so on.
const char* RootName(RootKey root);
// "HKEY_CURRENT_USER\path [value]", or "HKEY_...\path (key)" for a whole key.
std::string Describe(const Location& location);

}  // namespace velmora::cli
