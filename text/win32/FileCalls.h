// Paths, the shell and the system's messages in the program's UTF-8: through the W calls on the NT
// family, whose file system holds UTF-16 (a profile folder named "Łukasz" on a Western European
// Windows), and the A calls on Windows 95 and 98.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::text {

// The full path of `module`'s file (null: the program's); empty when it cannot be had.
std::string ModuleFileName(HMODULE module);
bool CreateDirectory(std::string_view path);
bool RemoveDirectory(std::string_view path);
// The process's current directory; empty when it cannot be read.
std::string CurrentDirectory();
bool SetCurrentDirectory(std::string_view path);
// GetFileAttributes: INVALID_FILE_ATTRIBUTES when there is no such file or folder.
DWORD FileAttributes(std::string_view path);
// The system's text for an error code, without its line end; empty when it has none.
std::string SystemErrorText(DWORD error);
// ShellExecute of `verb` on `target` with these parameters (empty: none).
HINSTANCE ShellExecute(HWND owner, std::string_view verb, std::string_view target,
                       std::string_view parameters, int show);

}  // namespace velmora::text
