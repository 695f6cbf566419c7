// Polling with a deadline: the driver and the program run in different processes, so every "until"
// is a poll, never a fixed sleep.
#pragma once

#include <chrono>
#include <thread>

namespace velmora::e2e {

using Milliseconds = std::chrono::milliseconds;

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
