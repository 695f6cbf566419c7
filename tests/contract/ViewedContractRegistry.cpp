#include "registry/MemoryRegistry.h"
#include "tests/contract/ContractRegistry.h"
#include "tests/support/RecordingRegistryCalls.h"

namespace velmora {
namespace {

// The in-memory registry through the 64-bit view: the view changes which calls are made, never what
// the registry does.
struct MemoryCalls {
    MemoryRegistry memory;
    testing::RecordingRegistryCalls calls{memory};
};

class ViewedMemoryRegistry : private MemoryCalls, public ViewedRegistry {
  public:
    ViewedMemoryRegistry() : ViewedRegistry(calls, RegistryView::SixtyFour) {}
};

}  // namespace

std::unique_ptr<Registry> MakeContractRegistry() {
    return std::make_unique<ViewedMemoryRegistry>();
}

}  // namespace velmora
