// A picture of a window as it is on screen, saved as a 24-bit .bmp for a human to look at.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/e2e/harness/Wait.h"

namespace velmora::e2e {

struct Screenshot {
    std::string path;  // empty when nothing was saved
    int width = 0;
    int height = 0;
    int distinctColours = 0;  // counted up to 256; a blank capture has 1
};

// Waits until the window and its visible descendants have nothing left to paint (no update region);
// false when something still waited for its paint after `timeout`.
bool WaitUntilPainted(HWND window, Milliseconds timeout = kDeadline);

// Repaints the window, copies its screen rectangle and writes ScreenshotDirectory()\<name>.bmp.
Screenshot SaveScreenshot(HWND window, std::string_view name);

// The smallest rectangle, in `window`'s client coordinates, holding every pixel of `part` (client
// coordinates too) that is not `background` as the screen shows it; empty when there is none.
RECT DrawnExtent(HWND window, const RECT& part, COLORREF background);

}  // namespace velmora::e2e
