// The comment lines at the top of a backup: which program wrote it, when, on which Windows, and what
// importing it does. regedit skips them.
#pragma once

#include <string>
#include <vector>

namespace velmora::cli {

inline constexpr char kProgramVersion[] = "Velmora 99 2.50";

// Where and when a backup is taken. An empty date is filled in with the local time when the header is
// made; an empty Windows version is said to be unknown.
struct BackupOrigin {
    std::string date;     // "2026-12-08 14:05"
    std::string windows;  // "Windows 98 (4.10, build 2222)"
};

// A Windows version as GetVersionEx reports it (platform 1: the Windows 95 family, 2: NT), by the name
// it was sold under: "Windows NT 4.0 (4.0, build 1381, Service Pack 6)".
std::string DescribeWindows(unsigned platform, unsigned major, unsigned minor, unsigned build,
                            const std::string& servicePack);

// The header's lines, without the leading "; ".
std::vector<std::string> BackupHeader(const BackupOrigin& origin);

}  // namespace velmora::cli
