#include "registry/Win32Registry.h"
#include "tests/contract/ContractRegistry.h"

namespace velmora {

std::unique_ptr<Registry> MakeContractRegistry() {
    return std::make_unique<Win32Registry>();
}

}  // namespace velmora
