#include "tests/support/PageLoads.h"

#include "tests/support/Windows.h"

#include <algorithm>

#include "controls/HyperLinkRules.h"
#include "settings/DesktopSettings.h"
#include "settings/FolderRunList.h"
#include "settings/MiscSettings.h"
#include "settings/OsVersion.h"
#include "settings/SecuritySettings.h"
#include "settings/ShellNewList.h"
#include "settings/StartMenuSettings.h"
#include "settings/UninstallList.h"

namespace velmora::testing {
namespace {

template <typename Array>
std::string Checks(const Array& check) {
    std::string text = "checks";
    for (int state : check) {
        text += ' ' + std::to_string(state);
    }
    return text + '\n';
}

PageView Desktop(Services services) {
    DesktopSettings model(services);
    model.Load(kWindows98Plus);
    return {Checks(model.check) + "icon size " + std::to_string(model.iconSize) + "\narrows " +
                std::to_string(model.shortcutArrows) + '\n',
            {}};
}

PageView StartMenu(Services services) {
    StartMenuSettings model(services);
    model.Load(kWindows98Plus);
    std::string text = Checks(model.check) + "delay " + model.menuDelay + "\nstart menu " +
                       model.startMenuPath + "\nfolders " +
                       (model.FoldersAvailable() ? "available" : "disabled");
    for (int f : model.folder) {
        text += ' ' + std::to_string(f);
    }
    text += "\nhistories";
    for (int h = 0; h < StartMenuSettings::kHistoryCount; ++h) {
        text += model.HistoryAvailable(static_cast<StartMenuSettings::History>(h)) ? " yes" : " no";
    }
    return {text + '\n', {}};
}

PageView Miscellaneous(Services services) {
    MiscSettings model(services);
    model.Load(kWindows98Plus);
    return {Checks(model.check), {}};
}

PageView Security(Services services) {
    SecuritySettings model(services);
    model.Load(kWindows98Plus);
    const SecuritySettings::LogonControls logon = model.LogonControlsEnabled();
    const std::string enabled = std::string(logon.clearLastUser ? " +clear" : " -clear") +
                                (logon.userName ? " +name" : " -name") +
                                (logon.password ? " +password" : " -password");
    return {Checks(model.check) + "user " + model.userName + "\npassword " + model.password + "\nenabled" +
                enabled + '\n',
            {}};
}

PageView FoldersRun(Services services) {
    FolderRunList model(services);
    PageView view;
    model.LoadFolders();
    view.text += "path " + model.pathText + (model.enabled.folderList ? "\nlist on\n" : "\nlist off\n");
    for (const std::string& folder : model.Folders()) {
        view.listed.push_back(folder);
        model.SelectFolder(folder);
        view.text += "folder " + folder + " = " + model.pathText + '\n';
    }
    for (int source = 0; source < static_cast<int>(kAutorunSources.size()); ++source) {
        model.source = source;
        model.LoadAutoruns();
        const std::vector<std::string> autoruns = model.Autoruns();
        // The editor is shown the stored command of a few entries and closed with Cancel.
        std::vector<std::string> edited(autoruns.begin(),
                                        autoruns.begin() + std::min<std::size_t>(3, autoruns.size()));
        if (std::find(autoruns.begin(), autoruns.end(), "Hostile") != autoruns.end()) {
            edited.push_back("Hostile");
        }
        for (const std::string& name : autoruns) {
            view.listed.push_back(name);
            view.text += "autorun " + std::to_string(source) + ' ' + name + '\n';
        }
        for (const std::string& name : edited) {
            model.EditAutorun(
                name,
                [&view](const std::string& shownName, const std::string& text) {
                    view.text += "editor " + shownName + " = " + text + '\n';
                    return FolderRunList::EditResult{};
                },
                0);
        }
    }
    return view;
}

PageView AddRemove(Services services) {
    UninstallList model(services);
    model.Load();
    PageView view;
    for (const UninstallEntry& entry : model.Entries()) {
        view.listed.push_back(entry.displayName);
        view.text +=
            "program " + entry.displayName + " = " + entry.uninstallCommand + " @ " + entry.keyPath + '\n';
    }
    return view;
}

PageView New(Services services) {
    ShellNewList model(services);
    model.Load();
    PageView view;
    for (const ShellNewEntry& entry : model.Entries()) {
        view.listed.push_back(entry.description);
        view.text += "type " + entry.description + " @ " + entry.keyPath + '\n';
    }
    return view;
}

PageView About(FakeServices& fakes, Registry& registry) {
    // The shell cannot open the link, so the registered browser is looked up.
    fakes.shell.openResult = 2;
    fakes.shell.run.clear();
    const std::uintptr_t code = hyperlink::OpenTarget(registry, fakes.shell, "http://velmora.example/", 1);
    std::string text = "open " + std::to_string(code) + '\n';
    for (const std::string& line : fakes.shell.run) {
        text += "run " + line + '\n';
    }
    return {text, {}};
}

PageView MainWindow(Services services) {
    return {std::string("nt ") + (IsWindowsNt(services.registry) ? "yes" : "no") + "\n98 " +
                (IsWindows98(services.registry) ? "yes" : "no") + '\n',
            {}};
}

}  // namespace

const std::vector<std::string>& LoadedPages() {
    static const std::vector<std::string> kPages = {"Desktop",  "Start Menu",  "Miscellaneous",
                                                    "Security", "Folders/Run", "Add/Remove",
                                                    "New",      "About",       "Main window"};
    return kPages;
}

PageView LoadPage(FakeServices& fakes, std::string_view page) {
    return LoadPage(fakes, page, fakes.registry);
}

PageView LoadPage(FakeServices& fakes, std::string_view page, Registry& registry) {
    const Services services = fakes.Get(registry);
    if (page == "Desktop") {
        return Desktop(services);
    }
    if (page == "Start Menu") {
        return StartMenu(services);
    }
    if (page == "Miscellaneous") {
        return Miscellaneous(services);
    }
    if (page == "Security") {
        return Security(services);
    }
    if (page == "Folders/Run") {
        return FoldersRun(services);
    }
    if (page == "Add/Remove") {
        return AddRemove(services);
    }
    if (page == "New") {
        return New(services);
    }
    if (page == "About") {
        return About(fakes, registry);
    }
    if (page == "Main window") {
        return MainWindow(services);
    }
    return {"unknown page " + std::string(page) + '\n', {}};
}

}  // namespace velmora::testing
