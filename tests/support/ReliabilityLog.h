// Counts of what a reliability suite ran (hostile states, injected faults, fuzz inputs...) per page,
// written as `<page>\t<kind>\t<count>` lines to `<dir>/<suite>.tsv` for tools/reliability_report.py.
#pragma once

#include <map>
#include <string>
#include <utility>

namespace velmora::testing {

class ReliabilityLog {
  public:
    // The file is written whole by Write, so a run never keeps the counts of an earlier one.
    ReliabilityLog(std::string directory, std::string suite)
        : directory_(std::move(directory)), suite_(std::move(suite)) {}

    void Add(const std::string& page, const std::string& kind, long count = 1) {
        counts_[{page, kind}] += count;
    }
    long Count(const std::string& page, const std::string& kind) const;
    long Total() const;

    // Creates the directory when needed; false when the file cannot be written.
    bool Write() const;

  private:
    std::string directory_;
    std::string suite_;
    std::map<std::pair<std::string, std::string>, long> counts_;
};

}  // namespace velmora::testing
