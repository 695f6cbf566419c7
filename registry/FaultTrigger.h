// Fault injection for the in-memory registry and the recording fakes: counts the calls of one kind and
// makes the nth of them (counted from the last Arm) fail. Test support, portable.
#pragma once

namespace velmora {

class FaultTrigger {
  public:
    // The `nth` call from now on fails (1 is the next one); 0 disarms.
    void Arm(unsigned nth) {
        armed_ = nth;
        calls_ = 0;
        hit_ = false;
    }
    void Disarm() { Arm(0); }
    // Counts one call; true when this is the call that must fail.
    bool Fails() {
        ++calls_;
        if (armed_ != 0 && calls_ == armed_) {
            hit_ = true;
            return true;
        }
        return false;
    }
    // Whether the armed call has failed, and how many calls were made since Arm.
    bool Hit() const { return hit_; }
    unsigned Calls() const { return calls_; }

  private:
    unsigned armed_ = 0;
    unsigned calls_ = 0;
    bool hit_ = false;
};

}  // namespace velmora
