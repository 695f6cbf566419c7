#include "cli/win32/WindowsFiles.h"

#include "cli/win32/Lookup.h"
#include "text/win32/SystemText.h"

namespace velmora::cli {

WindowsFiles::WindowsFiles() {
    if (text::UsesWideCalls()) {
        // The same run time as fread and fwrite, which then take the FILE it opens.
        wideOpen_ = Lookup<WideOpenFn>("msvcrt.dll", "_wfopen");
    }
}

std::FILE* WindowsFiles::Open(const std::string& path, const char* mode) const {
    if (wideOpen_ != nullptr) {
        return wideOpen_(text::Wide(path).c_str(), text::Wide(mode).c_str());
    }
    return std::fopen(text::ToAnsi(path).c_str(), mode);
}

}  // namespace velmora::cli
