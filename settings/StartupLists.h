// The three lists read at start-up away from the window: the reader thread reads them one after the other
// with registry handles of its own and hands each over as soon as it is read; the window gives each to
// its page's model on its own thread.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "registry/Registry.h"
#include "settings/FolderRunList.h"
#include "settings/ListWalk.h"
#include "settings/ShellNewList.h"
#include "settings/UninstallList.h"

namespace velmora {

// One list as read, for one page.
struct StartupList {
    enum class Page { kFolderRun, kUninstall, kShellNew };
    Page page = Page::kFolderRun;
    FolderRunRead folderRun;                // kFolderRun
    std::vector<UninstallEntry> uninstall;  // kUninstall
    std::vector<ShellNewEntry> shellNew;    // kShellNew
};

using DeliverList = std::function<void(std::unique_ptr<StartupList>)>;

// Reads Folders/Run, then Add/Remove, then New (the quick lists first, the walk of every class key last),
// delivering each when it is read. Once `stop` says so, the walk ends at its next key and nothing more is
// delivered.
void ReadStartupLists(Registry& registry, const StopRequested& stop, const DeliverList& deliver);

}  // namespace velmora
