// The whole content of a registry as one string of raw bytes (names, types and data, length-prefixed),
// for "nothing changed" checks over registries too large for the readable dump.
#pragma once

#include <string>

#include "registry/Registry.h"

namespace velmora::testing {

std::string RegistryImage(Registry& registry);

}  // namespace velmora::testing
