// Registry names compare without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

bool NamesEqual(std::string_view a, std::string_view b);

// Less-than in the order the registry enumerates names (case folded to lower, as Wine orders them).
bool NameLess(std::string_view a, std::string_view b);

// `name` folded to lower case as these comparisons fold it: a map keyed by it, or two of them compared,
// ignore case as the registry does.
std::string LowerName(std::string_view name);

// The components of a backslash-separated key path; empty components are skipped.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

}  // namespace velmora
