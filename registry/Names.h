// Registry names compare without regard to case.
#pragma once

#include <string_view>
#include <vector>

namespace velmora {

bool NamesEqual(std::string_view a, std::string_view b);

// Less-than in the order the registry enumerates names (case folded to lower, as Wine orders them).
bool NameLess(std::string_view a, std::string_view b);

// The components of a backslash-separated key path; empty components are skipped.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

}  // namespace velmora
