#include "registry/MemoryRegistry.h"
#include "tests/contract/ContractRegistry.h"

namespace velmora {

std::unique_ptr<Registry> MakeContractRegistry() {
    return std::make_unique<MemoryRegistry>();
}

}  // namespace velmora
