// Writes the fuzz target's seed corpus into the directory named on the command line (one file per
// seed), so that the seeds are made from the hostile-registry corpus at build time, never committed.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/fuzz/FuzzInput.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed directory>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::filesystem::create_directories(directory);
    int count = 0;
    for (const auto& seed : velmora::fuzz::SeedInputs()) {
        std::ofstream out(directory / ("seed-" + std::to_string(count++)),
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
    }
    std::printf("%d seeds in %s\n", count, argv[1]);
    return 0;
}
