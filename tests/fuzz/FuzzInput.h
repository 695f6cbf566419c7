// The fuzz target's decoder and run, shared by the libFuzzer target (clang) and the replay driver of the
// host tests (g++): input bytes become a registry of keys and values of any type and size under the
// locations the program reads, hostile states of the corpus and injected faults; then every page loads
// and every setting page applies with all its rows touched. A key left open aborts the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::fuzz {

// Decodes and runs one input. Returns normally or aborts (a leaked key handle, or a sanitizer report).
void RunInput(const std::uint8_t* data, std::size_t size);

// Seeds: one input per target and applicable state of the hostile-registry corpus, and a few with
// faults injected.
std::vector<std::vector<std::uint8_t>> SeedInputs();

// A pseudo-random input of up to `maxSize` bytes, from `seed`.
std::vector<std::uint8_t> RandomInput(std::uint64_t seed, std::size_t maxSize);

}  // namespace velmora::fuzz
