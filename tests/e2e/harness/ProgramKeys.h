// The registry keys the program reads or writes, for snapshots around a scenario. The whole of
// HKEY_CLASSES_ROOT is left out (the New page walks it; snapshot it on its own where it matters).
#pragma once

#include <vector>

#include "tests/e2e/harness/RegistrySnapshot.h"

namespace velmora::e2e {

std::vector<RegistryLocation> ProgramRegistryKeys();

}  // namespace velmora::e2e
