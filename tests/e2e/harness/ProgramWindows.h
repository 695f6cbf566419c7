// What the driver knows of the program's windows: captions and control ids, as the user sees them.
#pragma once

namespace velmora::e2e {

inline constexpr char kMainWindowCaption[] = "Velmora 99 2.50 Lite Edition";
inline constexpr char kPromoWindowCaption[] = "What do you want to Tweak today?";
// Message boxes carry the executable's name.
inline constexpr char kMessageBoxCaption[] = "Velmora";

// The font every dialog template declares.
inline constexpr char kDialogFontFace[] = "MS Sans Serif";
inline constexpr int kDialogFontPoints = 8;

// The main window's controls.
namespace main_window {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kApply = 1010;
inline constexpr int kHelp = 1100;
inline constexpr int kSheetFrame = 1269;
}  // namespace main_window

// The list of each list page: Add/Remove, New, and the autorun list of Folders/Run.
namespace list_pages {
inline constexpr int kProgramList = 1063;
inline constexpr int kTypeList = 1079;
inline constexpr int kAutorunList = 1105;
}  // namespace list_pages

}  // namespace velmora::e2e
