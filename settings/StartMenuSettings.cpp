#include "settings/StartMenuSettings.h"

#include <optional>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/CheckSetting.h"

namespace velmora {
namespace {

using S = StartMenuSettings;

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kDesktop = "Control Panel\\desktop";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kDelayValue = "MenuShowDelay";
constexpr const char* kDelayMissing = "Default";
constexpr const char* kPathMissing = "None";

// Seconds of the please-wait loop, in clock ticks, and the ticks between two steps of its bar.
constexpr long kPleaseWaitTicks = 1800;
constexpr long kTicksPerStep = 10;

// The policy rows: each one check box over one switch under the policy key, stored as the binary flag.
// The "Show" and "Allow" boxes are checked while their switch is off; only "Clear recent docs on exit"
// is checked while it is on.
std::optional<CheckSetting> PolicyRow(S::Row row) {
    const auto hides = [](int control, const char* value) {
        return CheckSetting{
            control,     kHkcu, kPolicies, value, ReadRule::kFirstByteZero, true, RegistryAction::Delete(),
            kWriteFlag1, true};
    };
    switch (row) {
        case S::kNoLogoff:
            return hides(S::kAllowLogoffBox, "NoLogoff");
        case S::kNoFavoritesMenu:
            return hides(S::kShowFavoritesBox, "NoFavoritesMenu");
        case S::kNoWindowsUpdate:
            return hides(S::kShowWindowsUpdateBox, "NoWindowsUpdate");
        case S::kNoRecentDocsMenu:
            return hides(S::kShowDocumentsBox, "NoRecentDocsMenu");
        case S::kClearRecentDocsOnExit:
            return CheckSetting{S::kClearDocsOnExitBox,
                                kHkcu,
                                kPolicies,
                                "ClearRecentDocsOnExit",
                                ReadRule::kFirstByteSet,
                                false,
                                kWriteFlag1,
                                RegistryAction::Delete(),
                                true};
        case S::kNoRun:
            return hides(S::kShowRunBox, "NoRun");
        case S::kNoFind:
            return hides(S::kShowFindBox, "NoFind");
        case S::kNoFolderOptions:
            return hides(S::kShowFolderOptionsBox, "NoFolderOptions");
        case S::kNoClose:
            return hides(S::kAllowShutDownBox, "NoClose");
        case S::kNoRecentDocsHistory:
            return hides(S::kAddDocumentsBox, "NoRecentDocsHistory");
        case S::kNoSetFolders:
            return hides(S::kShowControlPanelBox, "NoSetFolders");
        case S::kNoSetActiveDesktop:
            return hides(S::kShowActiveDesktopBox, "NoSetActiveDesktop");
        default:
            return std::nullopt;
    }
}

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

constexpr S::Folder kFolderOrder[] = {S::kControlPanel, S::kPrinters, S::kUrlHistory, S::kRecycleBin};
constexpr S::History kHistoryOrder[] = {S::kRecentDocs, S::kRunHistory, S::kFindHistory};

}  // namespace

int StartMenuSettings::ControlOf(Row row) {
    if (row == kMenuShowDelay) {
        return kDelayEdit;
    }
    const auto policy = PolicyRow(row);
    return policy ? policy->control : 0;
}

int StartMenuSettings::ControlOf(Folder f) {
    switch (f) {
        case kControlPanel:
            return kControlPanelFolderBox;
        case kPrinters:
            return kPrintersFolderBox;
        case kUrlHistory:
            return kUrlHistoryFolderBox;
        case kRecycleBin:
            return kRecycleBinFolderBox;
        default:
            return 0;
    }
}

int StartMenuSettings::ButtonOf(History history) {
    switch (history) {
        case kRecentDocs:
            return kClearDocsButton;
        case kRunHistory:
            return kClearRunButton;
        case kFindHistory:
            return kClearFindButton;
        default:
            return 0;
    }
}

const char* StartMenuSettings::DirectoryName(Folder f) {
    switch (f) {
        case kControlPanel:
            return "\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
        case kPrinters:
            return "\\Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}";
        case kUrlHistory:
            return "\\URL History.{FF393560-C2A7-11CF-BFF4-444553540000}";
        case kRecycleBin:
            return "\\Recycle Bin.{645FF040-5081-101B-9F08-00AA002F954E}";
        default:
            return "";
    }
}

void StartMenuSettings::Load() {
    Registry& registry = services_.registry;
    if (const auto path = ReadValue(registry, kHkcu, kShellFolders, "Start Menu")) {
        startMenuPath = std::string(path->Text());
        foldersAvailable_ = true;
    } else {
        startMenuPath = kPathMissing;
        foldersAvailable_ = false;
    }
    for (Row row :
         {kNoLogoff, kNoFavoritesMenu, kNoWindowsUpdate, kNoRecentDocsMenu, kClearRecentDocsOnExit, kNoRun,
          kNoFind, kNoSetFolders, kNoClose, kNoRecentDocsHistory, kNoSetActiveDesktop, kNoFolderOptions}) {
        check[row] = ReadCheck(registry, *PolicyRow(row));
    }
    for (History history : kHistoryOrder) {
        historyAvailable_[history] =
            KeyExists(registry, kHkcu, std::string(kExplorer) + "\\" + HistoryKey(history));
    }
    const auto delay = ReadValue(registry, kHkcu, kDesktop, kDelayValue);
    menuDelay = delay ? std::string(delay->Text()) : kDelayMissing;
    // Without a Start Menu folder the boxes are disabled and show unchecked, whatever lies elsewhere.
    for (Folder f : kFolderOrder) {
        folder[f] =
            foldersAvailable_ && services_.directories.Exists(startMenuPath + DirectoryName(f)) ? 1 : 0;
    }
    changed_[kMenuShowDelay] = 0;
}

bool StartMenuSettings::Touch(int control, int notification) {
    if (control == kDelayEdit) {
        if (notification != notify::kEditChange) {
            return false;
        }
        changed_[kMenuShowDelay] = 1;
        return true;
    }
    if (notification != notify::kButtonClicked) {
        return false;
    }
    for (Folder f : kFolderOrder) {
        if (control == ControlOf(f)) {
            folderChanged_[f] = 1;
            changed_[kFolders] = 1;
            return true;
        }
    }
    for (int row = 0; row < kRowCount; ++row) {
        const auto policy = PolicyRow(static_cast<Row>(row));
        if (policy && policy->control == control) {
            changed_[row] = 1;
            return true;
        }
    }
    return false;
}

long StartMenuSettings::Apply(Row row) {
    const RegistryStore store(services_.registry);
    long result = reg::kSuccess;
    switch (row) {
        case kFolders:
            ApplyFolders();
            break;
        case kMenuShowDelay:
            result = store.WriteString(kHkcu, kDesktop, kDelayValue, menuDelay);
            break;
        default:
            result = ApplyCheck(store, *PolicyRow(row), check[row]);
            break;
    }
    if (result == reg::kSuccess && row != kFolders) {
        restartNeeded_ = 1;
    }
    return result;
}

void StartMenuSettings::ApplyFolders() {
    // Results are not looked at: a directory that holds files stays, and shows checked at the next load.
    bool handled = false;
    for (Folder f : kFolderOrder) {
        if (folderChanged_[f] == 0) {
            continue;
        }
        const std::string path = startMenuPath + DirectoryName(f);
        if (folder[f] == 1) {
            services_.directories.Create(path);
        } else {
            services_.directories.Remove(path);
        }
        folderChanged_[f] = 0;
        handled = true;
    }
    if (handled && pleaseWait_) {
        pleaseWait_();
    }
}

bool StartMenuSettings::ClearHistory(History history, WindowRef owner,
                                     const std::function<void()>& disableButton) {
    long deleted = reg::kFileNotFound;
    {
        RegKey explorer;
        if (explorer.Open(services_.registry, ToHKey(kHkcu), kExplorer, reg::kAllAccess) == reg::kSuccess) {
            // One level: on NT a history key that still has subkeys is refused and stays.
            deleted = services_.registry.DeleteKey(explorer.Get(), HistoryKey(history));
        }
    }
    if (deleted != reg::kSuccess) {
        return false;
    }
    historyAvailable_[history] = false;
    if (disableButton) {
        disableButton();
    }
    services_.messages.Show(owner, kLogOffNotice, kLogOffCaption, mb::kOk | mb::kIconInformation);
    return true;
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
