// The thread that reads the three list pages' lists while the main window starts and is used: it walks
// the registry with handles of its own and posts each list, as soon as it is read, to the main window,
// which gives it to its page on the window's own thread. Nothing on the thread touches a window.
//
// A posted list is a heap object that the window takes over with Take. Until then the reader keeps a
// record of it, so that a list whose message is lost with the window (closed while the walk goes on) is
// freed all the same, and a message that was not posted by the reader is never taken for a list.
#pragma once

#include <windows.h>

#include <memory>

#include "settings/StartupLists.h"

class CStartupListReader {
  public:
    // How long Stop waits for the thread before leaving it to end with the process.
    static constexpr DWORD kStopWait = 500;

    CStartupListReader() = default;
    ~CStartupListReader();
    CStartupListReader(const CStartupListReader&) = delete;
    CStartupListReader& operator=(const CStartupListReader&) = delete;

    // Starts the thread. It posts `message` to `window` for each list (lParam: the list), then once more
    // with lParam 0 when it has read them all. False when no thread could be started: nothing is posted.
    bool Start(HWND window, UINT message);

    // The list a message carried, now the caller's; null for lParam 0, for a list already taken and
    // for anything this reader did not post.
    std::unique_ptr<velmora::StartupList> Take(LPARAM posted);

    // Asks the thread to stop at its next key, posts nothing more from then on and waits for the thread
    // at most kStopWait ms; the lists it posted and nobody took are freed. Does nothing the second time.
    void Stop();

  private:
    struct Shared;
    static DWORD WINAPI Run(LPVOID parameter);

    Shared* m_shared = nullptr;
    HANDLE m_thread = nullptr;
};
