// A Windows command line split into its arguments, as the C run time splits the one it is given: the
// NT family hands the program its command line whole, in UTF-16, and only its ANSI copy is split for
// main's argv.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::cli {

// The arguments after the program's name. Blanks and tabs separate them; "..." groups blanks into one;
// 2n backslashes before a quote are n backslashes and the quote groups, 2n+1 are n and a quote; ""
// inside a group is a quote; any other backslash is itself. The program's name ends at the first blank,
// or is all within its quotes.
std::vector<std::string> SplitArguments(std::string_view commandLine);

}  // namespace velmora::cli
