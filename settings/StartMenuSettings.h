// The Start Menu page's settings: twelve Explorer policy switches, the menu delay, four special folders
// that live as directories in the user's Start Menu folder, and three histories that are cleared at once.
// Rows are listed in the order they are applied; the special folders come first.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "res/resource.h"
#include "settings/TableModel.h"
#include "system/Services.h"

namespace velmora {

class StartMenuSettings : public TableModel {
  public:
    enum Row {
        kFolders,
        kNoLogoff,
        kNoFavoritesMenu,
        kNoWindowsUpdate,
        kNoRecentDocsMenu,
        kClearRecentDocsOnExit,
        kMenuShowDelay,
        kNoRun,
        kNoFind,
        kNoFolderOptions,
        kNoClose,
        kNoRecentDocsHistory,
        kNoSetFolders,
        kNoSetActiveDesktop,
        kRowCount
    };

    // The special folders, in the order they are created or removed.
    enum Folder { kControlPanel, kPrinters, kUrlHistory, kRecycleBin, kFolderCount };

    // The histories the clear buttons empty.
    enum History { kRecentDocs, kRunHistory, kFindHistory, kHistoryCount };

    // The delay's up-down control runs over this range.
    static constexpr int kDelayMinimum = 1;
    static constexpr int kDelayMaximum = 999;

    static constexpr const char* kLogOffNotice = "You need to log off to clear the folder";
    static constexpr const char* kLogOffCaption = "Velmora 99 - Information";

    explicit StartMenuSettings(Services services) : TableModel(services, Table()) {}

    // The page's settings in apply order; the special folders' row lists the four folders as its parts,
    // in the order they are created or removed.
    static std::span<const SettingRow> Table();

    // Reads every setting, the Start Menu folder and which histories exist. The delay counts as untouched
    // afterwards.
    void Load(const WindowsTraits& windows) override;

    // A folder box marks its folder and the folders row; every other control, the row it shows.
    bool Touch(int control, int notification) override;
    BoundMember Bind(Shown shown, int index) override;

    // Deletes the history's key at once; false when it could not. The page then disables the button and
    // tells the user to log off (TellLogOff).
    bool ClearHistory(History history);
    void TellLogOff(WindowRef owner);

    // The check box of a policy row or special folder, the edit of the delay; 0 for the folders row.
    static int ControlOf(Row row) { return Table()[row].control; }
    static int ControlOf(Folder folder) { return Table()[kFolders].parts[folder].control; }
    static int ButtonOf(History history);
    // The directory name (with its leading backslash) that is appended to the Start Menu folder path.
    static const char* DirectoryName(Folder folder) { return Table()[kFolders].parts[folder].directory; }

    // False when the Start Menu folder path could not be read: the folder boxes are then disabled.
    bool FoldersAvailable() const { return foldersAvailable_; }
    // False when the history's key was missing at load, or it has been cleared since.
    bool HistoryAvailable(History history) const { return historyAvailable_[history]; }

    // Members bound to the controls: 0/1 per policy check box (indexed by row), the delay's text as typed,
    // 0/1 per special folder.
    std::string menuDelay;
    std::array<int, kFolderCount> folder{};
    // The "Start Menu" value of the shell folders, or "None" when it cannot be read.
    std::string startMenuPath;

    bool FolderChanged(Folder f) const { return folderChanged_[f] != 0; }

  protected:
    void ReadOwn(const SettingRow& row) override;
    long ApplyOwn(const SettingRow& row) override;

  private:
    static const std::array<SettingRow, kRowCount> kTable;

    void ReadFolders(const SettingRow& row);
    long ApplyFolders(const SettingRow& row);
    void ReadDelay(const SettingRow& row);
    long ApplyDelay(const SettingRow& row);
    std::array<int, kFolderCount> folderChanged_{};
    bool foldersAvailable_ = false;
    std::array<bool, kHistoryCount> historyAvailable_{};
};

// The please-wait dialog's progress loop. It polls `clock` (1000 ticks a second) until 1800 ticks have
// passed since its first reading; each reading that lands on an exact multiple of 10 ticks since then
// advances the bar by one through `step` (which also pauses a millisecond). Returns the steps taken.
int RunPleaseWaitProgress(const std::function<long()>& clock, const std::function<void(int position)>& step);

}  // namespace velmora
