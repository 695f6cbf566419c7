// What the three list walks share: a walk may run on the start-up reader thread, which must be able to
// end it early. The walk asks before every key (or value) it reads and gives up, returning nothing, once
// the answer is yes; an empty function never stops it.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "registry/RegKey.h"
#include "registry/Registry.h"

namespace velmora {

using StopRequested = std::function<bool()>;

inline bool Stopped(const StopRequested& stop) {
    return stop && stop();
}

// Hands each subkey name of `root`\`path` to `visit`, from index 0 up to the first enumeration call that
// does not succeed (the end, or a name that does not fit the buffer of 100 characters); a key that cannot
// be opened has none. False when `stop` ended the walk.
template <class Visit>
bool ForEachSubkey(Registry& registry, RootKey root, std::string_view path, const StopRequested& stop,
                   Visit visit) {
    constexpr std::uint32_t kNameBufferSize = 100;
    RegKey key;
    if (key.Open(registry, ToHKey(root), path, reg::kEnumerateSubKeys) != reg::kSuccess) {
        return true;
    }
    for (std::uint32_t index = 0;; ++index) {
        if (Stopped(stop)) {
            return false;
        }
        std::string name;
        if (registry.EnumKey(key.Get(), index, kNameBufferSize, name) != reg::kSuccess) {
            return true;
        }
        visit(name);
    }
}

}  // namespace velmora
