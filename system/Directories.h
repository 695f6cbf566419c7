// The file-system calls the program makes: directory existence, creation and removal, and the system
// and Windows directories.
#pragma once

#include <string>

namespace velmora {

class Directories {
  public:
    virtual ~Directories() = default;
    // True when the current directory can be changed to `path`; the previous current directory is
    // restored afterwards.
    virtual bool Exists(const std::string& path) = 0;
    // CreateDirectoryA without security attributes.
    virtual bool Create(const std::string& path) = 0;
    // RemoveDirectoryA: removes only an empty directory.
    virtual bool Remove(const std::string& path) = 0;
    // GetSystemDirectoryA / GetWindowsDirectoryA, whole (callers decide whether it fits their buffer).
    virtual std::string SystemDirectory() = 0;
    virtual std::string WindowsDirectory() = 0;
};

}  // namespace velmora
