#include "tests/e2e/harness/MessageBoxes.h"

#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr int kMessageTextId = 0xFFFF;

}  // namespace

HWND WaitForMessageBox(DWORD processId, const std::string& caption, Milliseconds timeout, HWND owner) {
    return WaitForTopLevelWindow({processId, caption, "#32770", owner, true}, timeout);
}

std::string MessageBoxText(HWND box) {
    return TextOf(Control(box, kMessageTextId));
}

bool HasButton(HWND box, int id) {
    return Control(box, id) != nullptr;
}

bool AnswerMessageBox(HWND box, int id, Milliseconds timeout) {
    HWND button = Control(box, id);
    return button != nullptr && PostClick(button) && WaitForWindowGone(box, timeout);
}

}  // namespace velmora::e2e
