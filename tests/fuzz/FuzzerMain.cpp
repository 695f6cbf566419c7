// The libFuzzer entry point. Every input it runs is counted per page for the reliability report, in
// reliability/fuzz.tsv beside the build, rewritten as the run goes so that a run stopped by its time
// limit leaves its count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/FuzzInput.h"
#include "tests/support/PageLoads.h"
#include "tests/support/ReliabilityLog.h"

namespace {

unsigned long long inputs = 0;

void WriteCounts() {
    velmora::testing::ReliabilityLog log(VELMORA_RELIABILITY_DIR, "fuzz");
    for (const std::string& page : velmora::testing::LoadedPages()) {
        log.Add(page, "fuzz inputs", static_cast<long>(inputs));
    }
    log.Write();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (inputs == 0) {
        // The page names are made before the exit handler is registered, so they outlive it.
        velmora::testing::LoadedPages();
        std::atexit(WriteCounts);
    }
    velmora::fuzz::RunInput(data, size);
    if ((++inputs & 0x3FF) == 0) {
        WriteCounts();
    }
    return 0;
}
