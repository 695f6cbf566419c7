// Memory inside the program's process, for the common-control messages whose structures and text
// buffers are only understood in the process that owns the control (TCM_GETITEM and the like).
#pragma once

#include <windows.h>

#include <cstddef>

namespace velmora::e2e {

class RemoteBuffer {
  public:
    // Opens the process that owns `window` and reserves `size` bytes there.
    RemoteBuffer(HWND window, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ok() const { return address_ != nullptr; }
    // The buffer's address as the program sees it, at `offset`.
    void* At(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }

    bool Write(std::size_t offset, const void* data, std::size_t size);
    bool Read(std::size_t offset, void* data, std::size_t size) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace velmora::e2e
