// The help's route, file and topic for each request, on each kind of Windows, with and without the help
// files beside the program, and what closing the window asks of the viewer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/topics.h"
#include "res/resource.h"
#include "settings/ProgramHelp.h"
#include "system/fakes/FakeServices.h"

namespace velmora {
namespace {

constexpr WindowRef kOwner = 0x1234;
constexpr char kFolder[] = "C:\\Program Files\\Velmora\\";
constexpr int kContents = 0;  // the Help button rather than F1 on a page

struct Case {
    const char* name;
    unsigned long majorVersion;
    int page;  // kContents, or a page's template id
    std::vector<std::string> filesThere;
    // What the viewer is asked: WinHelp's command and data, or HTML Help's target; none for a notice.
    std::vector<std::string> expected;
};

std::string Hlp() {
    return std::string(kFolder) + "Velmora.hlp";
}
std::string Chm() {
    return std::string(kFolder) + "Velmora.chm";
}

const Case kCases[] = {
    {"Windows98HelpButton", 4, kContents, {Hlp(), Chm()}, {"WinHelp(" + Hlp() + ", 3, 0)"}},
    {"Windows98F1OnDesktop", 4, IDD_DESKTOP, {Hlp()}, {"WinHelp(" + Hlp() + ", 1, 130)"}},
    {"NtF1OnSystemNt", 4, IDD_SYSTEMNT, {Hlp()}, {"WinHelp(" + Hlp() + ", 1, 200)"}},
    {"XpF1OnAbout", 5, IDD_ABOUT, {Hlp()}, {"WinHelp(" + Hlp() + ", 1, 153)"}},
    {"VistaHelpButton", 6, kContents, {Hlp(), Chm()}, {"HtmlHelp(" + Chm() + ")"}},
    {"Windows10F1OnDesktop", 10, IDD_DESKTOP, {Chm()}, {"HtmlHelp(" + Chm() + "::/desktop.html)"}},
    {"Windows10F1OnFoldersRun", 10, IDD_FOLDERSRUN, {Chm()}, {"HtmlHelp(" + Chm() + "::/foldersrun.html)"}},
    {"UnknownPageShowsTheContents", 4, IDD_MAIN, {Hlp()}, {"WinHelp(" + Hlp() + ", 3, 0)"}},
    {"Windows98WithoutTheHlp", 4, IDD_DESKTOP, {Chm()}, {}},
    {"Windows10WithoutTheChm", 10, kContents, {Hlp()}, {}},
};

class ProgramHelpRequests : public testing::TestWithParam<Case> {};

std::vector<std::string> ViewerCalls(const Journal& journal) {
    std::vector<std::string> calls;
    for (const std::string& line : journal) {
        if (line.rfind("WinHelp(", 0) == 0 || line.rfind("HtmlHelp(", 0) == 0) {
            calls.push_back(line);
        }
    }
    return calls;
}

TEST_P(ProgramHelpRequests, AskTheViewerOfTheSystemForTheFileBesideTheProgram) {
    const Case& c = GetParam();
    FakeServices fakes;
    fakes.help.majorVersion = c.majorVersion;
    fakes.help.files.insert(c.filesThere.begin(), c.filesThere.end());
    ProgramHelp help(fakes.Get());
    if (c.page == kContents) {
        help.ShowContents(kOwner);
    } else {
        help.ShowTopic(kOwner, c.page);
    }
    EXPECT_EQ(ViewerCalls(fakes.journal), c.expected);
    for (const auto& call : fakes.help.winHelpCalls) {
        EXPECT_EQ(call.owner, kOwner);
    }
    if (c.expected.empty()) {
        // The notice names the file it looked for, and no viewer is asked (WinHelp would ask the user).
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        const auto& notice = fakes.messages.shown[0];
        EXPECT_EQ(notice.caption, "Velmora 99 - Information");
        EXPECT_EQ(notice.owner, kOwner);
        EXPECT_EQ(notice.style, mb::kOk | mb::kIconInformation);
        EXPECT_NE(notice.text.find(c.majorVersion >= 6 ? Chm() : Hlp()), std::string::npos) << notice.text;
        EXPECT_NE(notice.text.find("come with the program"), std::string::npos) << notice.text;
    } else {
        EXPECT_TRUE(fakes.messages.shown.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(, ProgramHelpRequests, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramHelp, EveryPageOfTheMainWindowHasATopicOfItsOwn) {
    // The topics the help build numbers: each page once, each name once.
    const int pages[] = {IDD_STARTMENU, IDD_DESKTOP,    IDD_MISC,        IDD_ADDREMOVE,
                         IDD_NEW,       IDD_FOLDERSRUN, IDD_SECURITY,    IDD_SYSTEM,
                         IDD_SYSTEMNT,  IDD_WALLPAPER,  IDD_IE,          IDD_INTERNET,
                         IDD_REGINFO,   IDD_ABOUT,      IDD_PREFERENCES, IDD_MORESECURITY};
    for (const int page : pages) {
        int found = 0;
        for (const help::Topic& topic : help::kTopics) {
            found += topic.context == page ? 1 : 0;
        }
        EXPECT_EQ(found, 1) << "template " << page;
    }
    EXPECT_EQ(std::size(help::kTopics), std::size(pages));
    for (const help::Topic& a : help::kTopics) {
        for (const help::Topic& b : help::kTopics) {
            EXPECT_TRUE(&a == &b || std::string(a.name) != b.name) << a.name;
        }
    }
}

TEST(ProgramHelp, ClosingQuitsTheWinHelpItOpenedOnly) {
    FakeServices fakes;
    fakes.help.files.insert(Hlp());
    ProgramHelp help(fakes.Get());
    help.Close(kOwner);
    EXPECT_TRUE(ViewerCalls(fakes.journal).empty()) << "nothing was opened, so nothing is closed";

    help.ShowTopic(kOwner, IDD_NEW);
    help.Close(kOwner);
    EXPECT_EQ(ViewerCalls(fakes.journal),
              (std::vector<std::string>{"WinHelp(" + Hlp() + ", 1, 144)", "WinHelp(" + Hlp() + ", 2, 0)"}));
    EXPECT_EQ(fakes.help.htmlHelpClosed, 0);
    help.Close(kOwner);
    EXPECT_EQ(ViewerCalls(fakes.journal).size(), 2u) << "quit once";
}

TEST(ProgramHelp, ClosingClosesTheHtmlHelpItOpened) {
    FakeServices fakes;
    fakes.help.majorVersion = 10;
    fakes.help.files.insert(Chm());
    ProgramHelp help(fakes.Get());
    help.ShowContents(kOwner);
    help.Close(kOwner);
    EXPECT_EQ(fakes.help.htmlHelpClosed, 1);
    EXPECT_TRUE(fakes.help.winHelpCalls.empty());
}

TEST(ProgramHelp, AViewerThatFailedIsNotClosed) {
    FakeServices fakes;
    fakes.help.files.insert(Hlp());
    fakes.help.winHelpWorks = false;
    ProgramHelp help(fakes.Get());
    help.ShowContents(kOwner);
    help.Close(kOwner);
    EXPECT_EQ(fakes.help.winHelpCalls.size(), 1u);
}

TEST(ProgramHelp, AProgramPathWithoutAFolderLooksBesideTheCurrentDirectory) {
    FakeServices fakes;
    fakes.help.programFile = "Velmora.exe";
    ProgramHelp help(fakes.Get());
    EXPECT_EQ(help.HelpFile(ProgramHelp::Route::kWinHelp), "Velmora.hlp");
    fakes.help.programFile = "D:/tools/Velmora.exe";
    EXPECT_EQ(help.HelpFile(ProgramHelp::Route::kHtmlHelp), "D:/tools/Velmora.chm");
}

}  // namespace
}  // namespace velmora
