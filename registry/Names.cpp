#include "registry/Names.h"

namespace velmora {
namespace {

// Wine folds to lower case when it orders names, so '_' sorts before the letters.
unsigned char Lower(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool NameLess(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return Lower(a[i]) < Lower(b[i]);
        }
    }
    return a.size() < b.size();
}

std::string LowerName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        c = static_cast<char>(Lower(c));
    }
    return lower;
}

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace velmora
