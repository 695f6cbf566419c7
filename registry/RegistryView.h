// The registry view every open, create and key delete of the program goes to. A 32-bit program on
// 64-bit Windows runs under WOW64, where parts of HKEY_LOCAL_MACHINE\Software and HKEY_CLASSES_ROOT\CLSID
// are redirected to a 32-bit copy that the 64-bit Explorer and system never read; there the program asks
// for the 64-bit view with every call. Everywhere else (Windows 95, 98, NT 4.0, 2000, 32-bit XP and later,
// and the 64-bit build) it asks for nothing: the flag is never passed.
#pragma once

#include <cstdint>

namespace velmora {

enum class RegistryView {
    Own,        // the view the system gives the process: no flag
    SixtyFour,  // the 64-bit view, asked for by a 32-bit process under WOW64
};

namespace reg {
constexpr std::uint32_t kWow64_64Key = 0x0100;  // KEY_WOW64_64KEY
}  // namespace reg

// The access mask an open or create passes in `view`.
constexpr std::uint32_t ViewAccess(RegistryView view, std::uint32_t access) {
    return view == RegistryView::SixtyFour ? access | reg::kWow64_64Key : access;
}

}  // namespace velmora
