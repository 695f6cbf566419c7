// The registry keys the program reads and writes, spelled once: where the setting pages keep their
// settings, the lists of the list pages, and where Windows 9x says its version.
#pragma once

namespace velmora::keys {

inline constexpr const char* kExplorerPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const char* kSystemPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const char* kOldAppPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp";
inline constexpr const char* kDefaultUserSystemPolicies =
    ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr const char* kTips = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Tips";
inline constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunServices = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
inline constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Only read; spelled as it has always been opened.
inline constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char* kShellIcons =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
inline constexpr const char* kLogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
inline constexpr const char* kFileSystem = "System\\CurrentControlSet\\control\\FileSystem";
inline constexpr const char* kNetworkFamily = "Enum\\Network\\FAMILY";
inline constexpr const char* kMyComputerOpen = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open";
inline constexpr const char* kRecycleBinFolder = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
// "Control Panel\desktop" is spelled as each setting has always been written: the registry ignores the
// case of an existing key, but a key that has to be created keeps the spelling it was written with.
inline constexpr const char* kDesktopLower = "Control Panel\\desktop";
inline constexpr const char* kDesktop = "Control Panel\\Desktop";
inline constexpr const char* kMetricsLower = "Control Panel\\desktop\\WindowMetrics";
inline constexpr const char* kMetrics = "Control Panel\\Desktop\\WindowMetrics";

}  // namespace velmora::keys
