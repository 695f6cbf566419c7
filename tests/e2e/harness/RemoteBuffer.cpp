#include "tests/e2e/harness/RemoteBuffer.h"

namespace velmora::e2e {

RemoteBuffer::RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr) {
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

RemoteBuffer::~RemoteBuffer() {
    if (address_ != nullptr) {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool RemoteBuffer::Write(std::size_t offset, const void* data, std::size_t size) {
    SIZE_T written = 0;
    return Ok() && offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T read = 0;
    return Ok() && offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, &read) &&
           read == size;
}

}  // namespace velmora::e2e
