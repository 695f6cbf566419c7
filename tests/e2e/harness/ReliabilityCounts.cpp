#include "tests/e2e/harness/ReliabilityCounts.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <windows.h>

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

void NoteStartup(Milliseconds shown, Milliseconds answered) {
    const std::string directory = ToWinePath(VELMORA_E2E_RELIABILITY);
    CreateDirectoryA(directory.c_str(), nullptr);
    const std::string path = directory + "\\" + SuiteName() + ".startups";
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "ab"), std::fclose);
    if (file) {
        std::fprintf(file.get(), "%lld\t%lld\n", static_cast<long long>(shown.count()),
                     static_cast<long long>(answered.count()));
    }
}

}  // namespace velmora::e2e
