// Window styles shared by the dialog templates of res/dialogs. Resource compiler only.
#ifndef VELMORA_DIALOG_STYLES_H
#define VELMORA_DIALOG_STYLES_H

#include <commctrl.h>
#include <windows.h>

// A property page: the sheet makes it visible and enabled, and shows the caption as the tab title.
#define VELMORA_PAGE_STYLE DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION

// A panel that a page lays over one of its frames. DS_CONTROL lets Tab move from the page into it.
#define VELMORA_PANEL_STYLE DS_SETFONT | DS_CONTROL | WS_CHILD

// A small modal editor opened from a page.
#define VELMORA_EDITOR_STYLE DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU

// The up-down control beside a number edit: it takes the edit before it in the template as its buddy,
// sits at the edit's right edge and writes its position as plain digits.
#define VELMORA_UPDOWN_STYLE \
    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS

#endif
