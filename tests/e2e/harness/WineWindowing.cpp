#include "tests/e2e/harness/WineWindowing.h"

namespace velmora::e2e {

ScopedUnmanagedWindows::ScopedUnmanagedWindows(const std::string& executable)
    : managed_(RootKey::CurrentUser, "Software\\Wine\\AppDefaults\\" + executable + "\\X11 Driver",
               "Managed"),
      ok_(managed_.Set(RegistryValue::String("N"))) {}

}  // namespace velmora::e2e
