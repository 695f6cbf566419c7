// What the three list walks share: a walk may run on the start-up reader thread, which must be able to
// end it early. The walk asks before every key (or value) it reads and gives up, returning nothing, once
// the answer is yes; an empty function never stops it.
#pragma once

#include <functional>

namespace velmora {

using StopRequested = std::function<bool()>;

inline bool Stopped(const StopRequested& stop) {
    return stop && stop();
}

}  // namespace velmora
