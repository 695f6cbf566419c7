#include "tests/e2e/harness/ProgramKeys.h"

namespace velmora::e2e {

std::vector<RegistryLocation> ProgramRegistryKeys() {
    constexpr RootKey hkcu = RootKey::CurrentUser;
    constexpr RootKey hklm = RootKey::LocalMachine;
    constexpr RootKey hkcr = RootKey::ClassesRoot;
    return {
        {hkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
        {hkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"},
        {hkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {hkcu, "Control Panel\\Desktop"},
        // Its own values hold "Version", which tells 9x from NT.
        {hklm, "Software\\Microsoft\\Windows\\CurrentVersion", false},
        {hklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"},
        {hklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
        {hklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {hklm, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
        {hklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
        {hklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon"},
        {hklm, "System\\CurrentControlSet\\control\\FileSystem"},
        {hklm, "Enum\\Network\\FAMILY"},
        {RootKey::Users, ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
        {hkcr, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}"},
        {hkcr, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
        {hkcr, "Unknown\\shell"},
        {hkcr, "*\\shell"},
        {hkcr, "Directory\\shell"},
    };
}

}  // namespace velmora::e2e
