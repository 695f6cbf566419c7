// The help file's topics that the program opens by itself: one per page, numbered by the page's
// template id. That number is the topic's context number in Velmora.hlp (help/finish_winhelp.py reads
// this table when the help is built), and the name is the topic's section keyword in help/velmora.but,
// its WinHelp topic name and its page in Velmora.chm (<name>.html). Nothing else numbers the topics.
#pragma once

#include "res/resource.h"

namespace velmora::help {

struct Topic {
    int context;
    const char* name;
};

// clang-format off
inline constexpr Topic kTopics[] = {
    {IDD_STARTMENU,     "startmenu"},
    {IDD_DESKTOP,       "desktop"},
    {IDD_MISC,          "miscellaneous"},
    {IDD_ADDREMOVE,     "addremove"},
    {IDD_NEW,           "new"},
    {IDD_FOLDERSRUN,    "foldersrun"},
    {IDD_SECURITY,      "security"},
    {IDD_SYSTEM,        "system9x"},
    {IDD_SYSTEMNT,      "systemnt"},
    {IDD_WALLPAPER,     "wallpaper"},
    {IDD_IE,            "internetexplorer"},
    {IDD_INTERNET,      "internet"},
    {IDD_REGINFO,       "reginfo"},
    {IDD_MORESECURITY,  "moresecurity"},
    {IDD_PREFERENCES,   "preferences"},
    {IDD_ABOUT,         "about"},
};
// clang-format on

// The file names, beside the program.
inline constexpr char kWinHelpFile[] = "Velmora.hlp";
inline constexpr char kHtmlHelpFile[] = "Velmora.chm";

}  // namespace velmora::help
