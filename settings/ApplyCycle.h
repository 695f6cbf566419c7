// The main window's apply cycle: the setting pages' touched settings applied page by page in a fixed
// order, the icon-cache rebuild when a page asks for it, and the offer to restart Windows.
#pragma once

#include <span>
#include <string>

#include "settings/SettingsModel.h"
#include "system/Services.h"

namespace velmora {

struct ApplyTarget {
    SettingsModel* model;  // null for a page this edition does not build
    PullControls pull;
};

// Applies the touched settings of each page in turn, then rebuilds the icon cache when a page asked for
// it, clearing every page's request.
void ApplyTouchedSettings(Services& services, std::span<const ApplyTarget> pagesInOrder);

// Makes the shell rebuild its icon cache by changing the shell icon size to 31 and back to 32.
void RebuildIconCache(Services& services);

inline constexpr const char* kRestartText =
    "For the changes to take effect Windows needs to be restarted.\r\n\r\nRestart Windows?";
inline constexpr const char* kRestartCaption = "Velmora 99 - Restart Windows?";

// Asks whether to restart Windows; true on Yes.
bool AskRestart(MessageBoxes& messages, WindowRef owner);

}  // namespace velmora
