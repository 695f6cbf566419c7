// The files the companion reads and writes, named as the user typed them (UTF-8 inside).
#pragma once

#include <cstdio>
#include <string>

namespace velmora::cli {

class Files {
  public:
    virtual ~Files() = default;
    virtual bool Exists(const std::string& path) const = 0;
    virtual bool Read(const std::string& path, std::string& bytes) const = 0;
    // Replaces the file; false when it cannot be written whole.
    virtual bool Write(const std::string& path, const std::string& bytes) const = 0;
};

// Through C stdio. The names go to Open as they are, which suits the host; Windows opens them its own way.
class StdioFiles : public Files {
  public:
    bool Exists(const std::string& path) const override;
    bool Read(const std::string& path, std::string& bytes) const override;
    bool Write(const std::string& path, const std::string& bytes) const override;

  protected:
    virtual std::FILE* Open(const std::string& path, const char* mode) const;
};

}  // namespace velmora::cli
