// Time marks of a benchmark build (VELMORA_BENCH): the program notes when its steps begin and end and
// when its window is up, writes them to the file named by VELMORA_BENCH_OUT and closes itself. Without
// that variable nothing is written and the program stays open. Header only, so that the measured
// programs (Velmora.exe, the minimal dialog, the registry floor) share one way of timing.
#pragma once

#include <psapi.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace velmora::bench {

struct MarkRecord {
    std::string name;
    long long micros;
};

inline std::vector<MarkRecord>& Marks() {
    static std::vector<MarkRecord> marks;
    return marks;
}

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

inline long long WallMicros() {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    return FileTimeMicros(now);
}

inline void Mark(const char* name) {
    Marks().push_back({name, CounterMicros()});
}

inline bool Enabled() {
    return std::getenv("VELMORA_BENCH_OUT") != nullptr;
}

// Writes the marks, the wall-clock times of process creation and of now, and the peak working set.
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
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);

    FILE* out = std::fopen(path, "w");
    if (out == nullptr) {
        return;
    }
    std::fprintf(out, "created\t%lld\n", FileTimeMicros(created));
    std::fprintf(out, "shown\t%lld\n", wallNow);
    std::fprintf(out, "peak_working_set\t%llu\n", static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    // Counter marks as offsets before "now", so the reader needs no clock of its own.
    for (const MarkRecord& mark : Marks()) {
        std::fprintf(out, "mark\t%s\t%lld\n", mark.name.c_str(), counterNow - mark.micros);
    }
    std::fclose(out);
}

inline HWND& ShownWindow() {
    static HWND window = nullptr;
    return window;
}

// Runs once the message queue has nothing but timers left, that is after the window and its children
// have painted: the window counts as shown. Then the program is closed as if by Cancel.
inline void CALLBACK OnShownTimer(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    WriteMarks();
    ::PostMessageA(ShownWindow(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Called where the window has been told it is shown (WM_SHOWWINDOW).
inline void WindowShown(HWND window) {
    if (!Enabled() || ShownWindow() != nullptr) {
        return;
    }
    ShownWindow() = window;
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnShownTimer);
}

}  // namespace velmora::bench

// For the hooks in the program's own code, which define them as nothing outside a benchmark build.
#define VELMORA_BENCH_MARK(name) ::velmora::bench::Mark(name)
#define VELMORA_BENCH_SHOWN(window) ::velmora::bench::WindowShown(window)
