#include "tests/e2e/harness/ReliabilityCounts.h"

#include "tests/e2e/harness/Paths.h"
#include "tests/support/ReliabilityLog.h"

namespace velmora::e2e {

void CountScenario(const std::string& page, const std::string& kind, long count) {
    static velmora::testing::ReliabilityLog log(ToWinePath(VELMORA_E2E_RELIABILITY), "e2e_wine");
    log.Add(page, kind, count);
    log.Write();
}

}  // namespace velmora::e2e
