// Stands in for a browser or mail program in the end-to-end scenarios: registered as the sandbox
// prefix's handler for web, mail and ".htm" links, it only appends the command line it was started
// with to "<its own path>.log" and ends. No scenario ever starts a real browser.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    const std::string log = std::string(path, length) + ".log";
    std::FILE* file = std::fopen(log.c_str(), "ab");
    if (file == nullptr) {
        return 1;
    }
    std::fprintf(file, "%s\n", ::GetCommandLineA());
    std::fclose(file);
    return 0;
}
