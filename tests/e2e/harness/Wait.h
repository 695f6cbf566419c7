// Polling with a deadline: the driver and the program run in different processes, so every "until"
// is a poll, never a fixed sleep.
#pragma once

#include <chrono>
#include <thread>

namespace velmora::e2e {

using Milliseconds = std::chrono::milliseconds;

// How long a scenario waits for a state it needs (a window shown, an answer, a box, a value) before it
// calls it missing. The suites run three at once beside a fuzzer on two cores, where a step that takes
// 50 ms alone can take seconds: a wait ends as soon as its state holds, so only a failure pays for this.
inline constexpr Milliseconds kDeadline{60000};
// For a step that is long work even alone: an Apply that broadcasts each change to every window and
// may rebuild the icon cache.
inline constexpr Milliseconds kLongDeadline = 3 * kDeadline;

// Calls `done` until it returns true or `timeout` has passed; true when it did.
template <class Predicate>
bool WaitUntil(Predicate done, Milliseconds timeout, Milliseconds interval = Milliseconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
}

}  // namespace velmora::e2e
