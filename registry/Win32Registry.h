// The registry of the running machine, through advapi32's ANSI calls.
#pragma once

#include "registry/Registry.h"

namespace velmora {

class Win32Registry : public Registry {
  public:
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
    long EnumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* dataSize) override;
    long EnumKey(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
};

}  // namespace velmora
