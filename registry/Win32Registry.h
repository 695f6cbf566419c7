// The registry of the running machine, through advapi32's Unicode calls on the NT family and its ANSI calls
// on Windows 95 and 98 (text/win32/SystemText.h), in the view the process chose once
// (see RegistryView.h).
#pragma once

#include "registry/ViewedRegistry.h"

namespace velmora {

// The view of this process: the 64-bit one when it runs under WOW64, found out once with
// IsWow64Process2 where the system has it, else IsWow64Process (both looked up at run time); the
// process's own view everywhere else.
RegistryView ProcessRegistryView();

class Win32Registry : public ViewedRegistry {
  public:
    Win32Registry();
    explicit Win32Registry(RegistryView view);
};

}  // namespace velmora
