// How Wine shows the program's windows on the bare X server the tests run on. There is no window
// manager there: for a "managed" window Wine leaves the frame to the (absent) manager, so screenshots
// show black frames, and it waits two seconds for the manager to acknowledge every hidden top-level
// window, so each dialog that closes costs two seconds. With "Managed" = "N" for the program only, Wine
// draws frames and captions itself and hides windows at once.
#pragma once

#include <string>

#include "tests/e2e/harness/ScopedRegistryValue.h"

namespace velmora::e2e {

class ScopedUnmanagedWindows {
  public:
    // `executable` is the program's file name, for instance "Velmora.exe".
    explicit ScopedUnmanagedWindows(const std::string& executable);

    bool Ok() const { return ok_; }

  private:
    ScopedRegistryValue managed_;
    bool ok_;
};

}  // namespace velmora::e2e
