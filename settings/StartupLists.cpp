#include "settings/StartupLists.h"

namespace velmora {

void ReadStartupLists(Registry& registry, const StopRequested& stop, const DeliverList& deliver) {
    auto folderRun = ReadFolderRunLists(registry, stop);
    if (!folderRun) {
        return;
    }
    auto list = std::make_unique<StartupList>();
    list->page = StartupList::Page::kFolderRun;
    list->folderRun = std::move(*folderRun);
    deliver(std::move(list));

    auto uninstall = ReadUninstallEntries(registry, stop);
    if (!uninstall) {
        return;
    }
    list = std::make_unique<StartupList>();
    list->page = StartupList::Page::kUninstall;
    list->uninstall = std::move(*uninstall);
    deliver(std::move(list));

    auto shellNew = ReadShellNewEntries(registry, stop);
    if (!shellNew) {
        return;
    }
    list = std::make_unique<StartupList>();
    list->page = StartupList::Page::kShellNew;
    list->shellNew = std::move(*shellNew);
    deliver(std::move(list));
}

}  // namespace velmora
