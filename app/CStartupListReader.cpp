#include "app/CStartupListReader.h"

#include <algorithm>
#include <new>
#include <vector>

#include "pages/StartupObserver.h"
#include "registry/Win32Registry.h"

// What the window's thread and the reader share, freed by whichever of the two lets go of it last. The
// lock guards every member after construction.
struct CStartupListReader::Shared {
    Shared(HWND target, UINT notify) : window(target), message(notify) {
        ::InitializeCriticalSection(&lock);
        posted.reserve(4);  // every list fits without growing: posting never allocates
    }
    ~Shared() {
        for (velmora::StartupList* list : posted) {
            delete list;
        }
        ::DeleteCriticalSection(&lock);
    }

    bool Stopping() {
        ::EnterCriticalSection(&lock);
        const bool stop = stopping;
        ::LeaveCriticalSection(&lock);
        return stop;
    }

    // Posts a list (null: the end) unless the window has asked to stop. The message is posted under the
    // lock: once Stop has taken it the window is never posted to again, so a handle reused after the
    // window is gone never receives one.
    void Post(std::unique_ptr<velmora::StartupList> list) {
        ::EnterCriticalSection(&lock);
        if (!stopping) {
            velmora::StartupList* raw = list.release();
            if (raw != nullptr) {
                posted.push_back(raw);
            }
            if (!::PostMessageA(window, message, 0, reinterpret_cast<LPARAM>(raw)) && raw != nullptr) {
                posted.pop_back();
                delete raw;
            }
        }
        ::LeaveCriticalSection(&lock);
    }

    // True when the caller was the last one holding this object: it must delete it.
    bool Release() {
        ::EnterCriticalSection(&lock);
        const bool last = --references == 0;
        ::LeaveCriticalSection(&lock);
        return last;
    }

    CRITICAL_SECTION lock;
    const HWND window;
    const UINT message;
    int references = 2;  // the window's side and the thread
    bool stopping = false;
    std::vector<velmora::StartupList*> posted;  // posted and not yet taken
};

CStartupListReader::~CStartupListReader() {
    Stop();
}

bool CStartupListReader::Start(HWND window, UINT message) {
    if (m_shared != nullptr) {
        return false;
    }
    Shared* shared = new (std::nothrow) Shared(window, message);
    if (shared == nullptr) {
        return false;
    }
    DWORD id = 0;  // Windows 95 wants somewhere to put it
    m_thread = ::CreateThread(nullptr, 0, &CStartupListReader::Run, shared, 0, &id);
    if (m_thread == nullptr) {
        delete shared;
        return false;
    }
    m_shared = shared;
    return true;
}

DWORD WINAPI CStartupListReader::Run(LPVOID parameter) {
    Shared* shared = static_cast<Shared*>(parameter);
    try {
        velmora::Win32Registry own;  // every key is opened and closed on this thread
        velmora::StartupObserver& observer = velmora::TheStartupObserver();
        velmora::ReadStartupLists(
            observer.ReaderRegistry(own), [shared] { return shared->Stopping(); },
            [&](std::unique_ptr<velmora::StartupList> list) {
                observer.ListRead(list->page);
                shared->Post(std::move(list));
            });
    } catch (...) {
        // Whatever was not posted is read by the window itself when the end arrives.
    }
    shared->Post(nullptr);
    if (shared->Release()) {
        delete shared;
    }
    return 0;
}

std::unique_ptr<velmora::StartupList> CStartupListReader::Take(LPARAM posted) {
    if (m_shared == nullptr || posted == 0) {
        return nullptr;
    }
    auto* candidate = reinterpret_cast<velmora::StartupList*>(posted);
    std::unique_ptr<velmora::StartupList> list;
    ::EnterCriticalSection(&m_shared->lock);
    auto& pending = m_shared->posted;
    const auto found = std::find(pending.begin(), pending.end(), candidate);
    if (found != pending.end()) {
        pending.erase(found);
        list.reset(candidate);
    }
    ::LeaveCriticalSection(&m_shared->lock);
    return list;
}

void CStartupListReader::Stop() {
    if (m_shared == nullptr) {
        return;
    }
    ::EnterCriticalSection(&m_shared->lock);
    m_shared->stopping = true;
    ::LeaveCriticalSection(&m_shared->lock);
    // The thread checks before every key; a thread that does not end in time (a registry call that
    // hangs) is left to end with the process and frees the shared part itself if it ever gets there.
    ::WaitForSingleObject(m_thread, kStopWait);
    ::CloseHandle(m_thread);
    m_thread = nullptr;
    if (m_shared->Release()) {
        delete m_shared;
    }
    m_shared = nullptr;
}
