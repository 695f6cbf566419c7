// The words that name a page's control to the user, as the page shows them ("&" included).
#pragma once

#include <windows.h>

#include <string>

// A check box or push button carries its own caption. An edit, a combo box or a radio button of a group
// is named by the label or group box that comes just before it in the dialog. Empty when the control
// does not exist.
std::string ControlCaption(HWND dialog, int control);
