// The whole content of a registry as text, one line per key and value (read by RegistryCapture), for
// "nothing else changed" comparisons in tests whose failure message should show the registry.
#pragma once

#include <string>

#include "registry/Registry.h"

namespace velmora::testing {

std::string DumpRegistry(Registry& registry);

}  // namespace velmora::testing
