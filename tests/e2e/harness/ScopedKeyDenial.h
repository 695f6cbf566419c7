// A key of the prefix that refuses every change while the object lives, as the machine-wide keys refuse a
// program without an administrator's rights on Windows Vista and later: its access list lets everyone
// read it and nothing more (and the driver put its own list back). Wine checks key security for every
// process, administrators included.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "registry/Registry.h"

namespace velmora::e2e {

class ScopedKeyDenial {
  public:
    // The key must exist. Ok() says whether its access list was replaced.
    ScopedKeyDenial(RootKey root, const std::string& path);
    ~ScopedKeyDenial();
    ScopedKeyDenial(const ScopedKeyDenial&) = delete;
    ScopedKeyDenial& operator=(const ScopedKeyDenial&) = delete;

    bool Ok() const { return denied_; }

  private:
    HKEY key_ = nullptr;
    std::vector<BYTE> saved_;  // the key's own security descriptor (its access list), self-relative
    bool denied_ = false;
};

}  // namespace velmora::e2e
