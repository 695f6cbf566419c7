// The floor of the three list loads: the same registry calls, in the same order and with the same
// arguments, that Velmora makes when it fills the Add/Remove, New and Folders/Run lists at start-up,
// done by a bare loop that keeps nothing. Timed with the same marks as the program, in a console process
// of its own (RegistryFloor.exe) and inside the benchmark build of Velmora right after each of its list
// loads: under Wine the same calls can cost several times more while a windowed program starts up than in
// a console process, so the fair floor is the one taken at the moment of the load.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/StartupMarks.h"

namespace velmora::bench {
namespace bare {

inline constexpr DWORD kNameBufferSize = 100;
inline constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// One buffer for every value read, grown as needed, as a loop that keeps nothing would have it.
inline std::vector<BYTE>& Buffer() {
    static std::vector<BYTE> buffer(256);
    return buffer;
}

// Reads a value in one call into the buffer; only a value larger than the buffer is read again, at the
// size the failed call reported.
inline bool ReadValue(HKEY key, const char* name) {
    DWORD size = static_cast<DWORD>(Buffer().size());
    LONG status = ::RegQueryValueExA(key, name, nullptr, nullptr, Buffer().data(), &size);
    if (status == ERROR_MORE_DATA) {
        Buffer().resize(size);
        status = ::RegQueryValueExA(key, name, nullptr, nullptr, Buffer().data(), &size);
    }
    return status == ERROR_SUCCESS;
}

inline void TakeText(std::string* text) {
    if (text != nullptr) {
        text->assign(reinterpret_cast<const char*>(Buffer().data()),
                     strnlen(reinterpret_cast<const char*>(Buffer().data()), Buffer().size()));
    }
}

// Opens a key, reads its default value as text, closes it.
inline bool ReadDefault(const std::string& path, std::string* text) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    const bool read = ReadValue(key, "");
    ::RegCloseKey(key);
    if (read) {
        TakeText(text);
    }
    return read;
}

inline bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

inline void UninstallEntries() {
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

inline void ShellNewEntries() {
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
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, name, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            continue;
        }
        char subkey[256];
        DWORD subkeySize = sizeof subkey;
        if (::RegEnumKeyExA(key, 0, subkey, &subkeySize, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_NO_MORE_ITEMS) {
            ::RegCloseKey(key);  // no subkeys: no "ShellNew" anywhere below it
            continue;
        }
        const bool direct = extension != ".lnk" && KeyExists(extension + "\\ShellNew");
        const bool typed = ReadValue(key, "");
        if (typed) {
            TakeText(&fileType);
        }
        if (direct) {
            if (typed && !fileType.empty()) {
                ReadDefault(fileType, nullptr);
            }
        } else if (typed && !fileType.empty() && KeyExists(extension + "\\" + fileType + "\\ShellNew")) {
            ReadDefault(fileType, nullptr);
        }
        ::RegCloseKey(key);
    }
    ::RegCloseKey(root);
}

inline void ValueNames(HKEY parent, const char* path) {
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

}  // namespace bare

// The floor of one page's load ("Add/Remove", "New" or "Folders/Run") between marks named `prefix` and
// the page ("floor New begin", ...).
inline void MeasureFloor(const std::string& prefix, const std::string& page) {
    Mark((prefix + page + " begin").c_str());
    if (page == "Add/Remove") {
        bare::UninstallEntries();
    } else if (page == "New") {
        bare::ShellNewEntries();
    } else if (page == "Folders/Run") {
        bare::ValueNames(HKEY_CURRENT_USER, bare::kShellFolders);
        bare::ValueNames(HKEY_CURRENT_USER, bare::kRun);
    }
    Mark((prefix + page + " end").c_str());
}

}  // namespace velmora::bench
