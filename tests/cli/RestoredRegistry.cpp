#include "tests/cli/RestoredRegistry.h"

#include <algorithm>
#include <set>

namespace velmora::clitest {

std::vector<std::string> ChangesBesidesEmptyKeys(const e2e::RegistrySnapshot& before) {
    const e2e::RegistrySnapshot now = before.Again();
    std::set<std::string> emptyAdded;
    for (const auto& [key, values] : now.Keys()) {
        if (values.empty() && !before.Keys().contains(key)) {
            emptyAdded.insert("+ key " + key);
        }
    }
    std::vector<std::string> lines;
    for (const std::string& line : e2e::Differences(before, now)) {
        if (!emptyAdded.contains(line)) {
            lines.push_back(line);
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace velmora::clitest
