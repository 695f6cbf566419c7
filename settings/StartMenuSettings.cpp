#include "settings/StartMenuSettings.h"

#include <optional>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/Locations.h"

namespace velmora {
namespace {

using S = StartMenuSettings;
using keys::kExplorerPolicies;

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr const char* kDelayValue = "MenuShowDelay";
constexpr const char* kDelayMissing = "Default";
constexpr const char* kPathMissing = "None";

// Seconds of the please-wait loop, in clock ticks, and the ticks between two steps of its bar.
constexpr long kPleaseWaitTicks = 1800;
constexpr long kTicksPerStep = 10;

// The subkey of the Explorer key that holds each history.
const char* HistoryKey(S::History history) {
    switch (history) {
        case S::kRecentDocs:
            return "RecentDocs";
        case S::kRunHistory:
            return "RunMRU";
        case S::kFindHistory:
            return "Doc Find Spec MRU";
        default:
            return "";
    }
}

constexpr S::History kHistoryOrder[] = {S::kRecentDocs, S::kRunHistory, S::kFindHistory};

// The special folders, in the order of the Folder enum: each a directory in the Start Menu folder.
constexpr RowPart kFolderParts[] = {
    {IDC_STARTMENU_CONTROL_PANEL_FOLDER_BOX,
     CAPTION_STARTMENU_CONTROL_PANEL_FOLDER_BOX,
     CaptionFrom::kControl,
     Shown::kFolder,
     {},
     "\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
    {IDC_STARTMENU_PRINTERS_FOLDER_BOX,
     CAPTION_STARTMENU_PRINTERS_FOLDER_BOX,
     CaptionFrom::kControl,
     Shown::kFolder,
     {},
     "\\Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}"},
    {IDC_STARTMENU_URL_HISTORY_FOLDER_BOX,
     CAPTION_STARTMENU_URL_HISTORY_FOLDER_BOX,
     CaptionFrom::kControl,
     Shown::kFolder,
     {},
     "\\URL History.{FF393560-C2A7-11CF-BFF4-444553540000}"},
    {IDC_STARTMENU_RECYCLE_BIN_FOLDER_BOX,
     CAPTION_STARTMENU_RECYCLE_BIN_FOLDER_BOX,
     CaptionFrom::kControl,
     Shown::kFolder,
     {},
     "\\Recycle Bin.{645FF040-5081-101B-9F08-00AA002F954E}"},
};

// A policy switch under the Explorer policies, stored as the binary flag. The "Show" and "Allow" boxes
// are checked while their switch is off (absent shows checked); "Clear recent docs on exit" is checked
// while it is on.
constexpr Location Policy(const char* value) {
    return {kHkcu, kExplorerPolicies, value};
}
constexpr ReadRule kOffShowsChecked = ReadRule::FirstByteZero();
constexpr RegistryAction kDelete = RegistryAction::Delete();

}  // namespace

// clang-format off
const std::array<SettingRow, S::kRowCount> StartMenuSettings::kTable = {{
    {.row = kFolders, .control = 0, .caption = "", .routine = Routine::kOwn, .parts = kFolderParts},
    {.row = kNoLogoff, .control = IDC_STARTMENU_ALLOW_LOGOFF_BOX, .caption = CAPTION_STARTMENU_ALLOW_LOGOFF_BOX,
     .at = Policy("NoLogoff"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoFavoritesMenu, .control = IDC_STARTMENU_SHOW_FAVORITES_BOX, .caption = CAPTION_STARTMENU_SHOW_FAVORITES_BOX,
     .at = Policy("NoFavoritesMenu"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoWindowsUpdate, .control = IDC_STARTMENU_SHOW_WINDOWS_UPDATE_BOX, .caption = CAPTION_STARTMENU_SHOW_WINDOWS_UPDATE_BOX,
     .at = Policy("NoWindowsUpdate"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoRecentDocsMenu, .control = IDC_STARTMENU_SHOW_DOCUMENTS_BOX, .caption = CAPTION_STARTMENU_SHOW_DOCUMENTS_BOX,
     .at = Policy("NoRecentDocsMenu"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kClearRecentDocsOnExit, .control = IDC_STARTMENU_CLEAR_DOCS_ON_EXIT_BOX, .caption = CAPTION_STARTMENU_CLEAR_DOCS_ON_EXIT_BOX,
     .at = Policy("ClearRecentDocsOnExit"), .read = ReadRule::FirstByteSet(), .missing = Missing::kUnchecked,
     .checked = kWriteFlag1, .unchecked = kDelete, .flags = kRestart},
    {.row = kMenuShowDelay, .control = IDC_STARTMENU_DELAY_EDIT, .caption = CAPTION_STARTMENU_DELAY_EDIT,
     .captionFrom = CaptionFrom::kLabelBefore, .at = {kHkcu, keys::kDesktopLower, kDelayValue},
     .flags = kRestart, .shown = Shown::kMenuDelay, .routine = Routine::kOwn},
    {.row = kNoRun, .control = IDC_STARTMENU_SHOW_RUN_BOX, .caption = CAPTION_STARTMENU_SHOW_RUN_BOX,
     .at = Policy("NoRun"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoFind, .control = IDC_STARTMENU_SHOW_FIND_BOX, .caption = CAPTION_STARTMENU_SHOW_FIND_BOX,
     .at = Policy("NoFind"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoFolderOptions, .control = IDC_STARTMENU_SHOW_FOLDER_OPTIONS_BOX, .caption = CAPTION_STARTMENU_SHOW_FOLDER_OPTIONS_BOX,
     .at = Policy("NoFolderOptions"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoClose, .control = IDC_STARTMENU_ALLOW_SHUT_DOWN_BOX, .caption = CAPTION_STARTMENU_ALLOW_SHUT_DOWN_BOX,
     .at = Policy("NoClose"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoRecentDocsHistory, .control = IDC_STARTMENU_ADD_DOCUMENTS_BOX, .caption = CAPTION_STARTMENU_ADD_DOCUMENTS_BOX,
     .at = Policy("NoRecentDocsHistory"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoSetFolders, .control = IDC_STARTMENU_SHOW_CONTROL_PANEL_BOX, .caption = CAPTION_STARTMENU_SHOW_CONTROL_PANEL_BOX,
     .at = Policy("NoSetFolders"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    {.row = kNoSetActiveDesktop, .control = IDC_STARTMENU_SHOW_ACTIVE_DESKTOP_BOX, .caption = CAPTION_STARTMENU_SHOW_ACTIVE_DESKTOP_BOX,
     .at = Policy("NoSetActiveDesktop"), .read = kOffShowsChecked, .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
}};
// clang-format on

std::span<const SettingRow> StartMenuSettings::Table() {
    return kTable;
}

int StartMenuSettings::ButtonOf(History history) {
    switch (history) {
        case kRecentDocs:
            return IDC_STARTMENU_CLEAR_DOCS_BUTTON;
        case kRunHistory:
            return IDC_STARTMENU_CLEAR_RUN_BUTTON;
        case kFindHistory:
            return IDC_STARTMENU_CLEAR_FIND_BUTTON;
        default:
            return 0;
    }
}

void StartMenuSettings::ReadOwn(const SettingRow& row) {
    switch (row.row) {
        case kFolders:
            return ReadFolders(row);
        case kMenuShowDelay:
            return ReadDelay(row);
        default:
            return;
    }
}

long StartMenuSettings::ApplyOwn(const SettingRow& row) {
    switch (row.row) {
        case kFolders:
            return ApplyFolders(row);
        case kMenuShowDelay:
            return ApplyDelay(row);
        default:
            return reg::kSuccess;
    }
}

void StartMenuSettings::Load(const WindowsTraits& windows) {
    TableModel::Load(windows);
    for (History history : kHistoryOrder) {
        historyAvailable_[history] =
            KeyExists(services_.registry, kHkcu, std::string(keys::kExplorer) + "\\" + HistoryKey(history));
    }
    Untouch(kMenuShowDelay);
}

void StartMenuSettings::ReadFolders(const SettingRow& row) {
    if (const auto path = ReadValue(services_.registry, kHkcu, keys::kShellFolders, "Start Menu")) {
        startMenuPath = std::string(path->Text());
        foldersAvailable_ = true;
    } else {
        startMenuPath = kPathMissing;
        foldersAvailable_ = false;
    }
    // Without a Start Menu folder the boxes are disabled and show unchecked, whatever lies elsewhere.
    for (std::size_t f = 0; f < row.parts.size(); ++f) {
        folder[f] =
            foldersAvailable_ && services_.directories.Exists(startMenuPath + row.parts[f].directory) ? 1 : 0;
    }
}

void StartMenuSettings::ReadDelay(const SettingRow& row) {
    const auto delay = ReadValue(services_.registry, row.at.root, row.at.key, row.at.value);
    menuDelay = delay ? std::string(delay->Text()) : kDelayMissing;
}

long StartMenuSettings::ApplyDelay(const SettingRow& row) {
    return RegistryStore(services_.registry).WriteString(row.at.root, row.at.key, row.at.value, menuDelay);
}

bool StartMenuSettings::Touch(int control, int notification) {
    if (notification == notify::kButtonClicked) {
        for (int f = 0; f < kFolderCount; ++f) {
            if (control == ControlOf(static_cast<Folder>(f))) {
                folderChanged_[f] = 1;
                MarkTouched(kFolders);
                return true;
            }
        }
    }
    return TableModel::Touch(control, notification);
}

BoundMember StartMenuSettings::Bind(Shown shown, int index) {
    switch (shown) {
        case Shown::kMenuDelay:
            return {nullptr, &menuDelay};
        case Shown::kFolder:
            return {&folder[static_cast<std::size_t>(index)], nullptr};
        default:
            return TableModel::Bind(shown, index);
    }
}

long StartMenuSettings::ApplyFolders(const SettingRow& row) {
    // Results are not looked at: a directory that holds files stays, and shows checked at the next load.
    bool handled = false;
    for (std::size_t f = 0; f < row.parts.size(); ++f) {
        if (folderChanged_[f] == 0) {
            continue;
        }
        const std::string path = startMenuPath + row.parts[f].directory;
        if (folder[f] == 1) {
            services_.directories.Create(path);
        } else {
            services_.directories.Remove(path);
        }
        folderChanged_[f] = 0;
        handled = true;
    }
    if (handled) {
        requests_.pleaseWait = true;
    }
    return reg::kSuccess;
}

bool StartMenuSettings::ClearHistory(History history) {
    long deleted = reg::kFileNotFound;
    {
        RegKey explorer;
        if (explorer.Open(services_.registry, ToHKey(kHkcu), keys::kExplorer, reg::kAllAccess) ==
            reg::kSuccess) {
            // One level: on NT a history key that still has subkeys is refused and stays.
            deleted = services_.registry.DeleteKey(explorer.Get(), HistoryKey(history));
        }
    }
    if (deleted != reg::kSuccess) {
        return false;
    }
    historyAvailable_[history] = false;
    return true;
}

void StartMenuSettings::TellLogOff(WindowRef owner) {
    services_.messages.Show(owner, kLogOffNotice, kLogOffCaption, mb::kOk | mb::kIconInformation);
}

int RunPleaseWaitProgress(const std::function<long()>& clock, const std::function<void(int position)>& step) {
    const long start = clock();
    int steps = 0;
    long elapsed = 0;
    do {
        // Modular difference: a clock that wraps between two readings still counts forward.
        elapsed = static_cast<long>(static_cast<unsigned long>(clock()) - static_cast<unsigned long>(start));
        if (elapsed % kTicksPerStep == 0) {
            ++steps;
            step(steps);
        }
    } while (elapsed < kPleaseWaitTicks);
    return steps;
}

}  // namespace velmora
