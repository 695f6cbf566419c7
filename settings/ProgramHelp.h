// The program's help: the Help button's contents and each page's topic (F1), in the viewer the running
// Windows has, from the help files beside the program; a help file that is not there is said in the
// program's own words, before any viewer is asked.
#pragma once

#include <string>

#include "system/Services.h"

namespace velmora::help {
struct Topic;
}  // namespace velmora::help

namespace velmora {

class ProgramHelp {
  public:
    enum class Route { kWinHelp, kHtmlHelp };

    static constexpr const char* kMissingCaption = "Velmora 99 - Information";

    explicit ProgramHelp(Services services) : services_(services) {}

    // The help's contents.
    void ShowContents(WindowRef owner);
    // The topic of the page built on template `context`; the contents for a page without a topic.
    void ShowTopic(WindowRef owner, int context);
    // Closes the viewer this program opened, if any.
    void Close(WindowRef owner);

    // WinHelp up to Windows NT 4.0, 98 and Me (and 2000 and XP, which have both); HTML Help from Vista on.
    Route ChosenRoute();
    // The help file of a route, in the program's folder.
    std::string HelpFile(Route route);

  private:
    void Show(WindowRef owner, const help::Topic* topic);
    void SayMissing(WindowRef owner, const std::string& path);

    Services services_;
    // The WinHelp file this program asked to show (HELP_QUIT names it); empty before.
    std::string winHelpShown_;
    bool htmlHelpShown_ = false;
};

}  // namespace velmora
