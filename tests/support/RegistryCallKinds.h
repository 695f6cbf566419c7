// Every kind of call the in-memory registry counts and can fail, with the name the tests print for it.
#pragma once

#include <utility>

#include "registry/MemoryRegistry.h"

namespace velmora {

inline constexpr std::pair<MemoryRegistry::Call, const char*> kRegistryCallKinds[] = {
    {MemoryRegistry::Call::kOpen, "open"},
    {MemoryRegistry::Call::kCreate, "create"},
    {MemoryRegistry::Call::kQuery, "query"},
    {MemoryRegistry::Call::kSet, "set"},
    {MemoryRegistry::Call::kDeleteValue, "delete value"},
    {MemoryRegistry::Call::kDeleteKey, "delete key"},
    {MemoryRegistry::Call::kEnumValue, "enum value"},
    {MemoryRegistry::Call::kEnumKey, "enum key"},
    {MemoryRegistry::Call::kClose, "close"}};

}  // namespace velmora
