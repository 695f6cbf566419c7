#include "tests/support/ReliabilityLog.h"

#include <filesystem>
#include <fstream>

namespace velmora::testing {

long ReliabilityLog::Count(const std::string& page, const std::string& kind) const {
    const auto it = counts_.find({page, kind});
    return it == counts_.end() ? 0 : it->second;
}

long ReliabilityLog::Total() const {
    long total = 0;
    for (const auto& [key, count] : counts_) {
        total += count;
    }
    return total;
}

bool ReliabilityLog::Write() const {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    std::ofstream out(std::filesystem::path(directory_) / (suite_ + ".tsv"),
                      std::ios::binary | std::ios::trunc);
    for (const auto& [key, count] : counts_) {
        out << key.first << '\t' << key.second << '\t' << count << '\n';
    }
    return static_cast<bool>(out);
}

}  // namespace velmora::testing
