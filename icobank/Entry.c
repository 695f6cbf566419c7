// Icobank.exe is read for its icons, never meant to run; started anyway, it ends at once. Its own
// entry point keeps the C runtime out, so the file is little more than its resources.
#include <windows.h>

void __stdcall IcobankEntry(void) {
    ExitProcess(0);
}
