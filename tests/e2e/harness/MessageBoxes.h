// The program's message boxes: top-level dialogs ("#32770") found by caption, read and answered.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/harness/Wait.h"

namespace velmora::e2e {

// Polls for a visible message box of the process with this exact caption; with `owner` set, only one
// owned by that window. Null when none appeared within `timeout`.
HWND WaitForMessageBox(DWORD processId, const std::string& caption, Milliseconds timeout,
                       HWND owner = nullptr);

// The message text (the static with id 0xFFFF).
std::string MessageBoxText(HWND box);

// True when the box has a button with this id (IDOK, IDYES, IDNO, ...).
bool HasButton(HWND box, int id);

// Presses the button (posted, so that whatever the answer starts does not block the driver) and waits
// for the box to close. False when there is no such button or the box stays.
bool AnswerMessageBox(HWND box, int id, Milliseconds timeout = kDeadline);

}  // namespace velmora::e2e
