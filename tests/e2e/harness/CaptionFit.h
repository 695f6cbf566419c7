// Whether the captions of a window's texts, check boxes and radio buttons fit their controls as the
// program shows them: each caption measured with GetTextExtentPoint32A in the dialogs' font against the
// room the control gives it (a check box or radio button's client width less its box and the gap after
// it). A font handle of the program means nothing in this process (and Wine answers a WM_GETFONT from
// another process with 0), so the font is made here as the templates declare it ("MS Sans Serif" 8),
// with the same faces as the program (Wine's own ones added where the prefix lacks them, as the program
// does); LaidOutInTheFontItNames checks that the program really laid its dialogs out in that face.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::e2e {

// Gives this process the faces the program draws with: Wine's own ones where the prefix lacks them, as
// the program adds them for itself. Call before making a font to measure the program's texts.
void UseTheProgramsFaces();

// One line per visible static text, check box or radio button below `window` (child dialogs included)
// whose caption does not fit, for example
//   "1013 check box "Show window contents while dragging": 215 px wide, room for 197 px".
std::vector<std::string> CaptionsWiderThanTheirControls(HWND window);

// Succeeds when every caption below `window` fits; the failure message lists those that do not.
testing::AssertionResult CaptionsFit(HWND window);

// Succeeds when `dialog`, whose template is `widthInDialogUnits` wide, is as wide as the dialog units of
// the templates' font, made in this process, give: the program got the face it asked for, not a wider
// stand-in.
testing::AssertionResult LaidOutInTheFontItNames(HWND dialog, int widthInDialogUnits);

}  // namespace velmora::e2e
