#include "tests/e2e/harness/ReliabilityCounts.h"

#include <cstdlib>

#include "tests/e2e/harness/Paths.h"
#include "tests/support/ReliabilityLog.h"

namespace velmora::e2e {

namespace {

// A half of a driver (GoogleTest's shard) writes a file of its own: the halves may run at once.
std::string SuiteName() {
    const char* shard = std::getenv("GTEST_SHARD_INDEX");
    return shard == nullptr || *shard == '\0' ? "e2e_wine" : std::string("e2e_wine_") + shard;
}

}  // namespace

void CountScenario(const std::string& page, const std::string& kind, long count) {
    static velmora::testing::ReliabilityLog log(ToWinePath(VELMORA_E2E_RELIABILITY), SuiteName());
    log.Add(page, kind, count);
    log.Write();
}

}  // namespace velmora::e2e
