// Time marks of a benchmark build (VELMORA_BENCH): the program notes when its steps begin and end, when
// its window is shown and painted and when each list page is filled (the lists arrive from a reader
// thread after the window is up), writes them to the file named by VELMORA_BENCH_OUT once the window is
// painted and every awaited list is filled, and closes itself. Without that variable nothing is written
// and the program stays open. Marks and counts may come from any thread. Header only, so that the
// measured programs (Velmora.exe, the minimal dialog, the registry floor) share one way of timing.
#pragma once

#include <psapi.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace velmora::bench {

struct MarkRecord {
    std::string name;
    long long micros;
};

struct CountRecord {
    std::string name;
    long long value;
};

// The process's memory when a step was reached.
struct MemoryRecord {
    std::string name;
    unsigned long long workingSet;
    unsigned long long privateBytes;
};

// Everything noted, under one lock: the reader thread notes marks too.
struct Notes {
    Notes() { ::InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    std::vector<MarkRecord> marks;
    std::vector<CountRecord> counts;
    std::vector<MemoryRecord> memory;
    int listsAwaited = 0;
    int listsFilled = 0;
    bool painted = false;
    bool written = false;
};

// Made by the first mark, which the program's main thread notes before it starts any other thread.
inline Notes& TheNotes() {
    static Notes notes;
    return notes;
}

class NotesLock {
  public:
    NotesLock() { ::EnterCriticalSection(&TheNotes().lock); }
    ~NotesLock() { ::LeaveCriticalSection(&TheNotes().lock); }
    NotesLock(const NotesLock&) = delete;
    NotesLock& operator=(const NotesLock&) = delete;
};

// Microseconds on the performance counter: the spans inside one process.
inline long long CounterMicros() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<long long>(static_cast<double>(now.QuadPart) * 1e6 /
                                  static_cast<double>(frequency.QuadPart));
}

// Microseconds of the wall clock: comparable across processes (the launcher's start, this process's
// creation time).
inline long long FileTimeMicros(const FILETIME& time) {
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<long long>(value.QuadPart / 10);
}

// The benchmark build is compiled for Windows 95 like the program itself: the calls of later systems it
// times with are looked up when it runs (Wine has them all).
template <typename Function>
Function LookUp(const char* module, const char* name) {
    HMODULE loaded = ::GetModuleHandleA(module);
    if (loaded == nullptr) {
        loaded = ::LoadLibraryA(module);
    }
    const FARPROC found = loaded != nullptr ? ::GetProcAddress(loaded, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

inline long long WallMicros() {
    using Precise = VOID(WINAPI*)(LPFILETIME);
    static const Precise precise = LookUp<Precise>("kernel32.dll", "GetSystemTimePreciseAsFileTime");
    FILETIME now{};
    if (precise != nullptr) {
        precise(&now);
    } else {
        ::GetSystemTimeAsFileTime(&now);
    }
    return FileTimeMicros(now);
}

// The process's memory counters now (all zero where the call is missing).
inline PROCESS_MEMORY_COUNTERS_EX MemoryNow() {
    using MemoryInfo = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    static MemoryInfo memoryInfo = [] {
        MemoryInfo found = LookUp<MemoryInfo>("kernel32.dll", "K32GetProcessMemoryInfo");
        return found != nullptr ? found : LookUp<MemoryInfo>("psapi.dll", "GetProcessMemoryInfo");
    }();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (memoryInfo == nullptr ||
        !memoryInfo(::GetCurrentProcess(), reinterpret_cast<PPROCESS_MEMORY_COUNTERS>(&memory),
                    sizeof memory)) {
        return PROCESS_MEMORY_COUNTERS_EX{};
    }
    return memory;
}

inline SIZE_T PeakWorkingSet() {
    return MemoryNow().PeakWorkingSetSize;
}

inline void Mark(const char* name) {
    const long long now = CounterMicros();
    NotesLock lock;
    TheNotes().marks.push_back({name, now});
}

// The working set and private bytes at a step.
inline void MarkMemory(const char* name) {
    const PROCESS_MEMORY_COUNTERS_EX memory = MemoryNow();
    NotesLock lock;
    // Private bytes as the commit charge: Wine leaves PrivateUsage at zero.
    TheNotes().memory.push_back({name, memory.WorkingSetSize, memory.PagefileUsage});
}

inline void Count(const std::string& name, long long value) {
    NotesLock lock;
    TheNotes().counts.push_back({name, value});
}

inline bool Enabled() {
    return std::getenv("VELMORA_BENCH_OUT") != nullptr;
}

// Writes the marks, the counts, the wall-clock times of process creation and of now, and the peak working
// set.
inline void WriteMarks() {
    const char* path = std::getenv("VELMORA_BENCH_OUT");
    if (path == nullptr) {
        return;
    }
    const long long wallNow = WallMicros();
    const long long counterNow = CounterMicros();
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const PROCESS_MEMORY_COUNTERS_EX memory = MemoryNow();

    FILE* out = std::fopen(path, "w");
    if (out == nullptr) {
        return;
    }
    NotesLock lock;
    std::fprintf(out, "created\t%lld\n", FileTimeMicros(created));
    std::fprintf(out, "written\t%lld\n", wallNow);
    std::fprintf(out, "peak_working_set\t%llu\n", static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    std::fprintf(out, "peak_private\t%llu\n", static_cast<unsigned long long>(memory.PeakPagefileUsage));
    std::fprintf(out, "working_set\t%llu\n", static_cast<unsigned long long>(memory.WorkingSetSize));
    std::fprintf(out, "private\t%llu\n", static_cast<unsigned long long>(memory.PagefileUsage));
    // Counter marks as offsets before "now", so the reader needs no clock of its own.
    for (const MarkRecord& mark : TheNotes().marks) {
        std::fprintf(out, "mark\t%s\t%lld\n", mark.name.c_str(), counterNow - mark.micros);
    }
    for (const MemoryRecord& record : TheNotes().memory) {
        std::fprintf(out, "memory\t%s\t%llu\t%llu\n", record.name.c_str(), record.workingSet,
                     record.privateBytes);
    }
    for (const CountRecord& count : TheNotes().counts) {
        std::fprintf(out, "count\t%s\t%lld\n", count.name.c_str(), count.value);
    }
    std::fclose(out);
}

inline HWND& ShownWindow() {
    static HWND window = nullptr;
    return window;
}

// Run on the window's thread just before the marks are written, when nothing of the start-up is left to
// measure (the program times the floor of its list loads there).
inline std::function<void()>& BeforeWriting() {
    static std::function<void()> work;
    return work;
}

// Writes the marks and closes the program (as if by Cancel) once the window is painted and every list
// awaited is filled; the first of the two that completes the set does it.
inline void FinishIfComplete() {
    {
        NotesLock lock;
        Notes& notes = TheNotes();
        if (!notes.painted || notes.listsFilled < notes.listsAwaited || notes.written) {
            return;
        }
        notes.written = true;
    }
    if (BeforeWriting()) {
        BeforeWriting()();
    }
    WriteMarks();
    ::PostMessageA(ShownWindow(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Runs once the message queue has nothing but timers left, that is after the window and its children
// have painted: the window counts as shown ("painted").
inline void CALLBACK OnShownTimer(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    Mark("painted");
    {
        NotesLock lock;
        TheNotes().painted = true;
    }
    FinishIfComplete();
}

// Called where the window has been told it is shown (WM_SHOWWINDOW).
inline void WindowShown(HWND window) {
    if (!Enabled() || ShownWindow() != nullptr) {
        return;
    }
    ShownWindow() = window;
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnShownTimer);
}

// The program will fill `count` list pages after its window is up; the marks wait for them.
inline void AwaitLists(int count) {
    NotesLock lock;
    TheNotes().listsAwaited = count;
}

// A list page has been filled (on the window's thread).
inline void ListFilled(const char* page) {
    Mark((std::string(page) + " filled").c_str());
    {
        NotesLock lock;
        ++TheNotes().listsFilled;
    }
    if (Enabled() && ShownWindow() != nullptr) {
        FinishIfComplete();
    }
}

}  // namespace velmora::bench
