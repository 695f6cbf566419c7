// The companion's files by their names as the system holds them: UTF-16 on the NT family (so that any
// folder name works), the ANSI code page on Windows 95 and 98.
#pragma once

#include "cli/core/Files.h"

namespace velmora::cli {

class WindowsFiles : public StdioFiles {
  public:
    WindowsFiles();

  protected:
    std::FILE* Open(const std::string& path, const char* mode) const override;

  private:
    using WideOpenFn = std::FILE* (*)(const wchar_t*, const wchar_t*);
    WideOpenFn wideOpen_ = nullptr;  // the C run time's _wfopen, on the NT family
};

}  // namespace velmora::cli
