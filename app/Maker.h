// The maker's addresses, shown by the promotional window and opened by the About page's links.
#pragma once

namespace velmora {

inline constexpr const char* kHomePage = "http://www.velmora.example/";
inline constexpr const char* kSupportAddress = "support@velmora.example";

}  // namespace velmora
