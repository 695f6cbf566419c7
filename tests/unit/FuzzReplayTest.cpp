// The fuzz target's inputs replayed in the ordinary host builds (g++, and under the sanitizers in
// host-asan), so that a fault the fuzzer's decoder can reach shows up in every test run even where
// clang's libFuzzer is not built: every fifth seed made from the hostile-registry corpus (the hostile
// and fault-injection suites cover each state and fault on its own), then a fixed series of
// pseudo-random inputs. RunInput aborts the test program on a key left open or a sanitizer report.
#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "tests/fuzz/FuzzInput.h"

namespace velmora::fuzz {
namespace {

TEST(FuzzReplay, SeedsRunToTheEnd) {
    const auto seeds = SeedInputs();
    ASSERT_GT(seeds.size(), 100u);
    for (std::size_t i = 0; i < seeds.size(); i += 5) {
        RunInput(seeds[i].data(), seeds[i].size());
    }
}

TEST(FuzzReplay, PseudoRandomInputsRunToTheEnd) {
    // Different seeds must give different inputs, or the series would replay one input over and over.
    EXPECT_NE(RandomInput(1, 512), RandomInput(2, 512));
    EXPECT_EQ(RandomInput(7, 512), RandomInput(7, 512));
    for (std::uint64_t seed = 0; seed < 300; ++seed) {
        const auto input = RandomInput(seed, 512);
        RunInput(input.data(), input.size());
    }
}

}  // namespace
}  // namespace velmora::fuzz
