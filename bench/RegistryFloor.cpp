// The floor of the three list loads: the same registry calls, in the same order and with the same
// arguments, that Velmora makes when it fills the Add/Remove, New and Folders/Run lists at start-up,
// done by a bare loop that keeps nothing. Timed with the same marks as the program.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/StartupMarks.h"

namespace {

constexpr DWORD kNameBufferSize = 100;
constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<BYTE> buffer(256);

// Asks for the size of a value, then reads it into a buffer of that size.
bool ReadValue(HKEY key, const char* name) {
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    if (size == 0) {
        return true;
    }
    if (buffer.size() < size) {
        buffer.resize(size);
    }
    return ::RegQueryValueExA(key, name, nullptr, nullptr, buffer.data(), &size) == ERROR_SUCCESS;
}

// Opens a key, reads its default value as text, closes it.
bool ReadDefault(const std::string& path, std::string* text) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    const bool read = ReadValue(key, "");
    ::RegCloseKey(key);
    if (!read) {
        return false;
    }
    if (text != nullptr) {
        text->assign(reinterpret_cast<const char*>(buffer.data()),
                     strnlen(reinterpret_cast<const char*>(buffer.data()), buffer.size()));
    }
    return true;
}

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

void UninstallEntries() {
    HKEY uninstall = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_ENUMERATE_SUB_KEYS, &uninstall) !=
        ERROR_SUCCESS) {
        return;
    }
    char name[kNameBufferSize];
    for (DWORD index = 0;; ++index) {
        DWORD size = kNameBufferSize;
        if (::RegEnumKeyExA(uninstall, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        const std::string path = std::string(kUninstall) + "\\" + name;
        HKEY program = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &program) != ERROR_SUCCESS) {
            continue;
        }
        if (ReadValue(program, "DisplayName")) {
            ReadValue(program, "UninstallString");
        }
        ::RegCloseKey(program);
    }
    ::RegCloseKey(uninstall);
}

void ShellNewEntries() {
    HKEY root = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, "", 0, KEY_ENUMERATE_SUB_KEYS, &root) != ERROR_SUCCESS) {
        return;
    }
    char name[kNameBufferSize];
    std::string fileType;
    for (DWORD index = 0;; ++index) {
        DWORD size = kNameBufferSize;
        if (::RegEnumKeyExA(root, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        if (name[0] != '.') {
            continue;
        }
        const std::string extension = name;
        if (extension != ".lnk" && KeyExists(extension + "\\ShellNew")) {
            if (ReadDefault(extension, &fileType) && !fileType.empty()) {
                ReadDefault(fileType, nullptr);
            }
            continue;
        }
        if (!ReadDefault(extension, &fileType) || fileType.empty()) {
            continue;
        }
        if (KeyExists(extension + "\\" + fileType + "\\ShellNew")) {
            ReadDefault(fileType, nullptr);
        }
    }
    ::RegCloseKey(root);
}

void ValueNames(HKEY parent, const char* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    char name[kNameBufferSize];
    for (DWORD index = 0;; ++index) {
        DWORD size = kNameBufferSize;
        if (::RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
    }
    ::RegCloseKey(key);
}

}  // namespace

int main() {
    VELMORA_BENCH_MARK("Add/Remove begin");
    UninstallEntries();
    VELMORA_BENCH_MARK("Add/Remove end");
    VELMORA_BENCH_MARK("New begin");
    ShellNewEntries();
    VELMORA_BENCH_MARK("New end");
    VELMORA_BENCH_MARK("Folders/Run begin");
    ValueNames(HKEY_CURRENT_USER, kShellFolders);
    ValueNames(HKEY_CURRENT_USER, kRun);
    VELMORA_BENCH_MARK("Folders/Run end");
    velmora::bench::WriteMarks();
    return 0;
}
