// The text of windows and controls, and of message boxes, in the program's UTF-8: through the W calls on
// the NT family (where the dialogs are Unicode windows, so nothing passes through a code page) and the A
// calls on Windows 95 and 98.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::text {

std::string WindowText(HWND window);
void SetWindowText(HWND window, std::string_view text);

// A message whose lParam is a zero-terminated text (LB_ADDSTRING, CB_ADDSTRING, LB_FINDSTRINGEXACT...).
LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, std::string_view text);
// The text of line `index` of a list box (LB_GETTEXT) or a combo box's list (CB_GETLBTEXT); empty when
// there is no such line.
std::string ListBoxLine(HWND list, int index);
std::string ComboBoxLine(HWND combo, int index);
// The selected line of a single-selection list box; nothing when no line is selected.
std::optional<std::string> SelectedListBoxLine(HWND list);
// The selected lines of a multiple-selection list box, first to last.
std::vector<std::string> SelectedListBoxLines(HWND list);

int MessageBox(HWND owner, std::string_view text, std::string_view caption, UINT style);

}  // namespace velmora::text
