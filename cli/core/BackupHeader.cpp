#include "cli/core/BackupHeader.h"

#include <ctime>

namespace velmora::cli {
namespace {

std::string Trim(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        return "";
    }
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

std::string NameOf(unsigned platform, unsigned major, unsigned minor) {
    const unsigned version = major * 100 + minor;
    if (platform == 1) {
        switch (version) {
            case 400:
                return "Windows 95";
            case 410:
                return "Windows 98";
            case 490:
                return "Windows Me";
        }
        return "Windows";
    }
    if (platform == 2) {
        switch (version) {
            case 500:
                return "Windows 2000";
            case 501:
                return "Windows XP";
            case 502:
                return "Windows Server 2003";
            case 600:
                return "Windows Vista";
            case 601:
                return "Windows 7";
            case 602:
                return "Windows 8";
            case 603:
                return "Windows 8.1";
            case 1000:
                return "Windows 10";
        }
        if (major <= 4) {
            return "Windows NT " + std::to_string(major) + "." + std::to_string(minor);
        }
    }
    return "Windows";
}

std::string LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32];
    if (!local || !std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local)) {
        return "an unknown date";
    }
    return text;
}

}  // namespace

std::string DescribeWindows(unsigned platform, unsigned major, unsigned minor, unsigned build,
                            const std::string& servicePack) {
    // The Windows 95 family keeps the version in the build number's high word.
    if (platform == 1) {
        build &= 0xFFFF;
    }
    std::string text = NameOf(platform, major, minor) + " (" + std::to_string(major) + "." +
                       (platform == 1 && minor < 10 ? "0" : "") + std::to_string(minor) + ", build " +
                       std::to_string(build);
    const std::string pack = Trim(servicePack);
    if (!pack.empty()) {
        text += ", " + pack;
    }
    return text + ")";
}

std::vector<std::string> BackupHeader(const BackupOrigin& origin) {
    return {
        std::string(kProgramVersion) + " backup, written by velmora-cli",
        "Taken " + (origin.date.empty() ? LocalTimeNow() : origin.date) + " on " +
            (origin.windows.empty() ? "an unknown Windows version" : origin.windows),
        "Importing it (regedit /s FILE) puts back the values Velmora changes and removes the shell verbs "
        "it adds; it deletes no other key or value, and a key created for a value may stay behind empty.",
    };
}

}  // namespace velmora::cli
