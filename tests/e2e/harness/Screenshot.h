// A picture of a window as it is on screen, saved as a 24-bit .bmp for a human to look at.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::e2e {

struct Screenshot {
    std::string path;  // empty when nothing was saved
    int width = 0;
    int height = 0;
    int distinctColours = 0;  // counted up to 256; a blank capture has 1
};

// Repaints the window, copies its screen rectangle and writes ScreenshotDirectory()\<name>.bmp.
Screenshot SaveScreenshot(HWND window, std::string_view name);

}  // namespace velmora::e2e
