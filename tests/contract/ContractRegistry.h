// The registry the contract suite runs against: the in-memory one on the host, the real one under Wine.
#pragma once

#include <memory>

#include "registry/Registry.h"

namespace velmora {

std::unique_ptr<Registry> MakeContractRegistry();

}  // namespace velmora
