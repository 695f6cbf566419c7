// Functions of the NT family that Windows 95, 98 or NT 4.0 lack (or have only as stubs), found at run
// time so that the program's imports stay those every one of them has. Only the NT family calls them.
#pragma once

#include <windows.h>

namespace velmora::cli {

// Null when the module is not loaded or lacks the function.
template <class Fn>
Fn Lookup(const char* module, const char* name) {
    const HMODULE loaded = ::GetModuleHandleA(module);
    return loaded == nullptr
               ? nullptr
               : reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(loaded, name)));
}

}  // namespace velmora::cli
