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

    long OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CloseKey(HKey key) override;
    long QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) override;
    long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long DeleteValue(HKey key, std::string_view name) override;
    long DeleteKey(HKey key, std::string_view subKey) override;
    long EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* dataSize) override;
    long EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) override;

  private:
    RegistryCalls& calls_;
    RegistryView view_;
};

}  // namespace velmora
