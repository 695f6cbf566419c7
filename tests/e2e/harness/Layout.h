// Where a control stands on its page, as the user sees it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

namespace velmora::e2e {

// Succeeds when `control` is shown wholly inside `page` and covers no other shown control of the page
// (group boxes, which frame others, aside).
testing::AssertionResult StandsClear(HWND control, HWND page);

}  // namespace velmora::e2e
