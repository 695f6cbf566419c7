// The registry calls over another registry (the in-memory one), recording the calls whose view the
// viewed registry chooses: every open and create with its access, every key delete with the call that
// made it, every default-value read with its subkey. The in-memory registry has one view; the record is
// what tells them apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/ViewedRegistry.h"

namespace velmora::testing {

struct ViewCall {
    enum Kind { kOpen, kCreate, kDeleteKey, kDeleteKeyEx, kQueryDefault };
    Kind kind;
    std::string path;
    std::uint32_t access = 0;  // open and create: the access; RegDeleteKeyExA: the view

    bool operator==(const ViewCall&) const = default;
    // "open HKLM-relative-path 0x20119" and the like, for messages.
    std::string Line() const;
};

class RecordingRegistryCalls : public RegistryCalls {
  public:
    // `hasDeleteKeyEx`: whether the system this stands for has RegDeleteKeyExA.
    explicit RecordingRegistryCalls(Registry& inner, bool hasDeleteKeyEx = true)
        : inner_(inner), hasDeleteKeyEx_(hasDeleteKeyEx) {}

    std::vector<ViewCall> made;

    long OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CloseKey(HKey key) override { return inner_.CloseKey(key); }
    long QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override {
        return inner_.QueryValue(key, name, type, data, size);
    }
    long QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) override;
    long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override {
        return inner_.SetValue(key, name, type, data, size);
    }
    long DeleteValue(HKey key, std::string_view name) override { return inner_.DeleteValue(key, name); }
    long DeleteKey(HKey key, std::string_view subKey) override;
    long EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* dataSize) override {
        return inner_.EnumValue(key, index, room, name, type, data, dataSize);
    }
    long EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) override {
        return inner_.EnumKey(key, index, room, name);
    }
    bool HasDeleteKeyEx() const override { return hasDeleteKeyEx_; }
    long DeleteKeyEx(HKey key, std::string_view subKey, std::uint32_t view) override;

  private:
    Registry& inner_;
    bool hasDeleteKeyEx_;
};

// The calls of `made` that do not carry `view` as they must: an open or create without the view's flag
// (or with it in the process's own view), a delete through the other call, a default value read through
// RegQueryValueA's own open of a subkey while a view is set. One line each; empty when all are right.
std::vector<std::string> CallsOutOfView(const std::vector<ViewCall>& made, RegistryView view);

}  // namespace velmora::testing
