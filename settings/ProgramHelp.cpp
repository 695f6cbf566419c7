#include "settings/ProgramHelp.h"

#include "help/topics.h"

namespace velmora {
namespace {

// Windows Vista (6.0) and every Windows after it come without WinHelp: WinHelpA there only shows a box
// saying the program's help needs a download. HTML Help is on all of them, so from version 6 on the
// same help is shown from Velmora.chm.
constexpr unsigned long kFirstWithoutWinHelp = 6;

const help::Topic* TopicOf(int context) {
    for (const help::Topic& topic : help::kTopics) {
        if (topic.context == context) {
            return &topic;
        }
    }
    return nullptr;
}

}  // namespace

ProgramHelp::Route ProgramHelp::ChosenRoute() {
    return services_.help.MajorVersion() >= kFirstWithoutWinHelp ? Route::kHtmlHelp : Route::kWinHelp;
}

std::string ProgramHelp::HelpFile(Route route) {
    // WinHelp does not look in the program's folder: the path is given whole.
    const std::string program = services_.help.ProgramFile();
    const std::string::size_type slash = program.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
    return folder + (route == Route::kWinHelp ? help::kWinHelpFile : help::kHtmlHelpFile);
}

void ProgramHelp::ShowContents(WindowRef owner) {
    Show(owner, nullptr);
}

void ProgramHelp::ShowTopic(WindowRef owner, int context) {
    Show(owner, TopicOf(context));
}

void ProgramHelp::Show(WindowRef owner, const help::Topic* topic) {
    const Route route = ChosenRoute();
    const std::string file = HelpFile(route);
    // Asked first, so that no viewer ever comes up with its own question about a missing file (WinHelp
    // would ask the user to find it, and hold the program up until answered).
    if (!services_.help.FileExists(file)) {
        SayMissing(owner, file);
        return;
    }
    if (route == Route::kHtmlHelp) {
        const std::string target = topic != nullptr ? file + "::/" + topic->name + ".html" : file;
        if (services_.help.ShowHtmlHelp(owner, target)) {
            htmlHelpShown_ = true;
        }
        return;
    }
    const bool shown = topic != nullptr
                           ? services_.help.CallWinHelp(owner, file, help_command::kContext,
                                                        static_cast<std::uintptr_t>(topic->context))
                           : services_.help.CallWinHelp(owner, file, help_command::kContents, 0);
    if (shown) {
        winHelpShown_ = file;
    }
}

void ProgramHelp::Close(WindowRef owner) {
    if (!winHelpShown_.empty()) {
        services_.help.CallWinHelp(owner, winHelpShown_, help_command::kQuit, 0);
        winHelpShown_.clear();
    }
    if (htmlHelpShown_) {
        services_.help.CloseHtmlHelp();
        htmlHelpShown_ = false;
    }
}

void ProgramHelp::SayMissing(WindowRef owner, const std::string& path) {
    // Concatenated, never formatted: the path is the program's own folder, whatever it holds.
    const std::string text = "Velmora could not find its help file. It looked for it here:\r\n\r\n" + path +
                             "\r\n\r\nThe help files Velmora.hlp, Velmora.cnt and Velmora.chm come with the "
                             "program. Put them in the folder that holds Velmora.exe.";
    services_.messages.Show(owner, text, kMissingCaption, mb::kOk | mb::kIconInformation);
}

}  // namespace velmora
