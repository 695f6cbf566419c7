// Whoever watches the main window's start-up. The window, its pages and the list reader tell it each
// step as they reach it; the shipped program's watcher does nothing (app/QuietStartupObserver.cpp),
// and the benchmark build links one that times every step and counts the reader's registry calls
// (bench/BenchStartupObserver.cpp). Calls come from the window's thread unless said otherwise.
#pragma once

#include <cstdint>

#include "registry/Registry.h"
#include "settings/StartupLists.h"

namespace velmora {

class StartupObserver {
  public:
    virtual ~StartupObserver() = default;

    // A step reached: "init", "pages created", "buttons set up", "init done", "fill begin", "fill end".
    virtual void Step(const char* step) { static_cast<void>(step); }
    // The window will fill `count` lists that arrive from the reader thread after it is shown.
    virtual void ListsAwaited(int count) { static_cast<void>(count); }
    // The window has been told it is shown (its native handle).
    virtual void WindowShown(std::uintptr_t window) { static_cast<void>(window); }
    // A list page's list box has been filled at start-up.
    virtual void ListFilled(StartupList::Page page) { static_cast<void>(page); }

    // Reader thread: the registry it walks, given the one it opened for itself.
    virtual Registry& ReaderRegistry(Registry& own) { return own; }
    // Reader thread: a list has been read and is about to be handed over.
    virtual void ListRead(StartupList::Page page) { static_cast<void>(page); }
};

// The program's one watcher.
StartupObserver& TheStartupObserver();

}  // namespace velmora
