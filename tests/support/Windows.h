// The Windows a host test loads its pages on.
#pragma once

#include "settings/OsVersion.h"

namespace velmora::testing {

inline constexpr WindowsTraits kWindows95{.nt = false, .windows98 = false, .extensions = false};
inline constexpr WindowsTraits kWindows98{.nt = false, .windows98 = true, .extensions = false};
inline constexpr WindowsTraits kWindows98Plus{.nt = false, .windows98 = true, .extensions = true};
inline constexpr WindowsTraits kWindowsNt{.nt = true, .windows98 = false, .extensions = false};

}  // namespace velmora::testing
