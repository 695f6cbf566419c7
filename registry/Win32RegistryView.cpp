#include <windows.h>

#include "registry/Win32Registry.h"

namespace velmora {
namespace {

// Looked up at run time: Windows 95, 98, NT 4.0 and 2000 have neither function, and IsWow64Process2
// came with Windows 10 1709. Only the latter answers rightly for a 32-bit program on 64-bit ARM Windows.
using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

template <class Fn>
Fn Find(HMODULE module, const char* name) {
    return module == nullptr
               ? nullptr
               : reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

RegistryView AskTheSystem() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (const auto isWow64Process2 = Find<IsWow64Process2Fn>(kernel, "IsWow64Process2")) {
        USHORT process = 0;
        USHORT native = 0;
        if (isWow64Process2(GetCurrentProcess(), &process, &native)) {
            // IMAGE_FILE_MACHINE_UNKNOWN: not a WOW64 process.
            return process != 0 ? RegistryView::SixtyFour : RegistryView::Own;
        }
    }
    if (const auto isWow64Process = Find<IsWow64ProcessFn>(kernel, "IsWow64Process")) {
        BOOL wow64 = FALSE;
        if (isWow64Process(GetCurrentProcess(), &wow64) && wow64) {
            return RegistryView::SixtyFour;
        }
    }
    return RegistryView::Own;
}

}  // namespace

RegistryView ProcessRegistryView() {
    static const RegistryView view = AskTheSystem();
    return view;
}

}  // namespace velmora
