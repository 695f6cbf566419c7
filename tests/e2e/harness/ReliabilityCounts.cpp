#include "tests/e2e/harness/ReliabilityCounts.h"

#include <windows.h>

#include <fstream>
#include <map>
#include <utility>

#include "tests/e2e/harness/Paths.h"

namespace velmora::e2e {

void CountScenario(const std::string& page, const std::string& kind, long count) {
    static std::map<std::pair<std::string, std::string>, long> counts;
    counts[{page, kind}] += count;
    const std::string directory = ToWinePath(VELMORA_E2E_RELIABILITY);
    CreateDirectoryA(directory.c_str(), nullptr);
    std::ofstream out(directory + "\\e2e_wine.tsv", std::ios::binary | std::ios::trunc);
    for (const auto& [key, total] : counts) {
        out << key.first << '\t' << key.second << '\t' << total << '\n';
    }
}

}  // namespace velmora::e2e
