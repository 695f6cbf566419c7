// The registry through one view: every open and create carries the view's flag, key deletes go through
// RegDeleteKeyEx with it, and the default value of a subkey is read from that subkey opened in the view.
// In the process's own view the calls are made exactly as they come. Portable, so that the choice of
// call and flag is tested on the host; the Win32 registry is this over advapi32's calls.
#pragma once

#include "registry/Registry.h"
#include "registry/RegistryView.h"

namespace velmora {

// The registry calls as the system makes them, plus RegDeleteKeyEx (Windows XP x64, Vista and later:
// looked up at run time, so HasDeleteKeyEx may be false).
class RegistryCalls : public Registry {
  public:
    virtual bool HasDeleteKeyEx() const = 0;
    // RegDeleteKeyEx(key, subKey, view, 0).
    virtual long DeleteKeyEx(HKey key, std::string_view subKey, std::uint32_t view) = 0;
};

class ViewedRegistry : public Registry {
  public:
    ViewedRegistry(RegistryCalls& calls, RegistryView view) : calls_(calls), view_(view) {}

    RegistryView View() const { return view_; }
    // `access` as this registry passes it to an open or create.
    std::uint32_t Access(std::uint32_t access) const { return ViewAccess(view_, access); }

    VELMORA_REGISTRY_OVERRIDES;

  private:
    RegistryCalls& calls_;
    RegistryView view_;
};

}  // namespace velmora
