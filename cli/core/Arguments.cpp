#include "cli/core/Arguments.h"

namespace velmora::cli {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view line) {
    std::size_t at = 0;
    // The program's name takes no escapes: a folder may end in a backslash.
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        at = close == std::string_view::npos ? line.size() : close + 1;
    }
    while (at < line.size() && !IsBlank(line[at])) {
        ++at;
    }
    std::vector<std::string> args;
    for (;;) {
        while (at < line.size() && IsBlank(line[at])) {
            ++at;
        }
        if (at >= line.size()) {
            return args;
        }
        std::string arg;
        bool quoted = false;
        while (at < line.size() && (quoted || !IsBlank(line[at]))) {
            std::size_t backslashes = 0;
            while (at < line.size() && line[at] == '\\') {
                ++backslashes;
                ++at;
            }
            if (at < line.size() && line[at] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 != 0) {
                    arg += '"';
                } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    arg += '"';
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else if (backslashes > 0) {
                arg.append(backslashes, '\\');
            } else if (at < line.size()) {
                arg += line[at++];
            }
        }
        args.push_back(std::move(arg));
    }
}

}  // namespace velmora::cli
