// The maker's addresses, shown by the promotional window and opened by the About page's links; the
// resource script and the code take them from one place.
#pragma once

#include "res/dialogs/addresses.h"

namespace velmora {

inline constexpr const char* kHomePage = VELMORA_HOME_PAGE;
inline constexpr const char* kSupportAddress = VELMORA_SUPPORT_MAIL;

}  // namespace velmora
