#include "cli/core/Files.h"

#include <memory>

namespace velmora::cli {
namespace {

// C stdio, not file streams: libstdc++'s file streams import run-time functions that the msvcrt.dll of
// Windows 95, 98 and NT 4.0 does not have.
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

}  // namespace

std::FILE* StdioFiles::Open(const std::string& path, const char* mode) const {
    return std::fopen(path.c_str(), mode);
}

bool StdioFiles::Exists(const std::string& path) const {
    return File(Open(path, "rb"), std::fclose) != nullptr;
}

bool StdioFiles::Read(const std::string& path, std::string& bytes) const {
    const File in(Open(path, "rb"), std::fclose);
    if (!in) {
        return false;
    }
    // A directory may open like a file and fail only when read.
    bytes.clear();
    char block[4096];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in.get())) > 0) {
        bytes.append(block, got);
    }
    return std::ferror(in.get()) == 0;
}

bool StdioFiles::Write(const std::string& path, const std::string& bytes) const {
    File out(Open(path, "wb"), std::fclose);
    if (!out) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    return std::fclose(out.release()) == 0 && written;
}

}  // namespace velmora::cli
