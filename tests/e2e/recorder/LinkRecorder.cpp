// Stands in for a browser or mail program in the end-to-end scenarios: registered as the sandbox
// prefix's handler for web, mail and ".htm" links, it only appends the command line it was started
// with to "velmora-link-recorder.log" in the prefix's temp folder and ends. No scenario ever starts a real
// browser. The log is the prefix's own, not the build's: the Wine lanes run the scenarios in prefixes of
// their own at the same time, from the same build.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    char temp[MAX_PATH] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    const std::string log = std::string(temp, length) + "velmora-link-recorder.log";
    std::FILE* file = std::fopen(log.c_str(), "ab");
    if (file == nullptr) {
        return 1;
    }
    std::fprintf(file, "%s\n", ::GetCommandLineA());
    std::fclose(file);
    return 0;
}
