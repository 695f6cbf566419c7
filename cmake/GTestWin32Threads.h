// GoogleTest under MinGW-w64's win32 thread variant, whose libstdc++ has no std::mutex and no
// std::condition_variable. GoogleTest uses them in one class only, Notification (a one-shot signal for
// its own thread tests), and lets a port supply that class instead: this is it, on a Win32 event. Forced
// into GoogleTest and every test program of the 32-bit build, with GTEST_HAS_NOTIFICATION_ set.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
  public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

  private:
    HANDLE event_;
};

}  // namespace testing::internal
