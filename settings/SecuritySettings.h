// The Security page's settings (Windows 9x): Explorer restrictions of the current user, the machine's
// automatic logon and clear-last-user options, and the Regedit lock of the default user. Rows are listed
// in the order they are applied.
#pragma once

#include <array>
#include <string>

#include "res/resource.h"
#include "settings/TableModel.h"
#include "system/Services.h"

namespace velmora {

class SecuritySettings : public TableModel {
  public:
    enum Row {
        kNoAddPrinter,
        kNoDeletePrinter,
        kNoFileMenu,
        kNoChangeStartMenu,
        kNoDrives,
        kNoSetTaskbar,
        kNoTrayContextMenu,
        kNoViewContextMenu,
        kNoDesktop,
        kAutologon,  // the check box and both edit fields
        kClearLastUser,
        kNoSaveSettings,
        kDisableRegistryTools,
        kNoPrinterTabs,
        kRowCount
    };

    explicit SecuritySettings(Services services) : TableModel(services, Table()) {}

    // The page's settings in apply order; the autologon row lists the user name and password edits as
    // its parts.
    static std::span<const SettingRow> Table();

    // Reads every row; the autologon row is left unmarked.
    void Load(const WindowsTraits& windows) override;
    BoundMember Bind(Shown shown, int index) override;

    // Which logon controls the page enables: with automatic logon the name and password, without it the
    // box that clears the last user.
    struct LogonControls {
        bool clearLastUser;
        bool userName;
        bool password;
    };
    LogonControls LogonControlsEnabled() const;

    // The autologon box was clicked; the page has already taken its controls into the members. Warns
    // (owned by `owner`) when it is now checked, and marks the row. True when a member changed, which the
    // page then shows again.
    bool ClickAutologon(WindowRef owner);
    // The Regedit box was clicked, controls already taken: a notice when it is now checked; marks the row.
    void ClickRegedit(WindowRef owner);

    // The check box of a row (the autologon row's is its box).
    static int ControlOf(Row row) { return Table()[row].control; }

    // Members bound to the check boxes, 0 or 1, indexed by row; and the two logon texts.
    std::string userName;
    std::string password;

  private:
    static const std::array<SettingRow, kRowCount> kTable;

    void ReadAutologon(const SettingRow& row);
    long ApplyAutologon(const SettingRow& row);

  protected:
    void ReadOwn(const SettingRow& row) override;
    long ApplyOwn(const SettingRow& row) override;
};

inline constexpr const char* kAutologonWarning =
    "Warning: The Autologon Password is not encrypted. Any user with access to Regedit may alter it.\r\n\r\n"
    "Also, Clear Last User at Logon will be disabled.";
inline constexpr const char* kAutologonWarningCaption = "Warning - Velmora 99";
inline constexpr const char* kRegeditNotice =
    "You can still run Regedit by starting it from the Preferences page in Velmora 99";
inline constexpr const char* kRegeditNoticeCaption = "Velmora 99 - Important";

}  // namespace velmora
