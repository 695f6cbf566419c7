#include "tests/e2e/harness/Layout.h"

#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

bool IsGroupBox(HWND window) {
    return ClassNameOf(window) == "Button" && (Style(window) & BS_TYPEMASK) == BS_GROUPBOX;
}

}  // namespace

testing::AssertionResult StandsClear(HWND control, HWND page) {
    if (control == nullptr || !IsVisible(control)) {
        return testing::AssertionFailure() << "the control is not shown";
    }
    const RECT rect = RectIn(control, page);
    RECT client{};
    GetClientRect(page, &client);
    RECT inside{};
    IntersectRect(&inside, &rect, &client);
    if (!EqualRect(&inside, &rect)) {
        return testing::AssertionFailure() << "control " << GetDlgCtrlID(control) << " at " << ToString(rect)
                                           << " reaches out of its page " << ToString(client);
    }
    for (HWND other = GetWindow(page, GW_CHILD); other != nullptr; other = GetWindow(other, GW_HWNDNEXT)) {
        if (other == control || !IsVisible(other) || IsGroupBox(other) || IsGroupBox(control)) {
            continue;
        }
        const RECT otherRect = RectIn(other, page);
        RECT common{};
        if (IntersectRect(&common, &rect, &otherRect)) {
            return testing::AssertionFailure()
                   << "control " << GetDlgCtrlID(control) << " at " << ToString(rect) << " covers control "
                   << GetDlgCtrlID(other) << " at " << ToString(otherRect);
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace velmora::e2e
