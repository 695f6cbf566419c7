// Alt+letter in a dialog: the control whose caption underlines that letter is pressed (a button) or
// takes the focus for the control after it (a label). The dialog's own controls come before those of the
// dialogs it holds (a property sheet's pages, a page's panels), so that the same letter in both always
// means the same control. Hidden controls are passed over; the letter of a disabled one does nothing.
#pragma once

#include <windows.h>

// The letter a caption underlines ("&Apply": 'A'), upper case; 0 when none.
char AfxMnemonicOf(const char* caption);

// Presses the control below `dialog` whose mnemonic is `letter` (nothing when it is disabled); FALSE when
// no visible control has that mnemonic.
BOOL AfxPressMnemonic(HWND dialog, char letter);
