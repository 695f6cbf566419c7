// What the driver knows of the program's windows: captions as the user sees them, and the control ids
// the program itself uses.
#pragma once

#include "res/resource.h"

namespace velmora::e2e {

inline constexpr char kMainWindowCaption[] = "Velmora 99 2.50 Lite Edition";
inline constexpr char kPromoWindowCaption[] = "What do you want to Tweak today?";
// Message boxes carry the executable's name.
inline constexpr char kMessageBoxCaption[] = "Velmora";

// The font every dialog template declares.
inline constexpr char kDialogFontFace[] = "MS Sans Serif";
inline constexpr int kDialogFontPoints = 8;

}  // namespace velmora::e2e
