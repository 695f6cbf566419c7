// The Security page's settings (Windows 9x): Explorer restrictions of the current user, the machine's
// automatic logon and clear-last-user options, and the Regedit lock of the default user. Rows are listed
// in the order they are applied.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "res/resource.h"
#include "settings/TableSettings.h"
#include "system/Services.h"

namespace velmora {

class SecuritySettings : public TableSettings<SecuritySettings> {
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

    // What the model asks of its page: the window that owns its notices, a push of the members into the
    // controls, and enabling or disabling a control.
    struct PageHooks {
        std::function<WindowRef()> owner;
        std::function<void()> push;
        std::function<void(int control, bool enable)> enable;
    };

    explicit SecuritySettings(Services services) : TableSettings(services, kRowCount) {}
    void Attach(PageHooks hooks) { hooks_ = std::move(hooks); }

    // The page's settings in apply order; the autologon row lists the user name and password edits as
    // its parts.
    static std::span<const TableRow> Table();

    // Reads every row and enables the logon controls to match; the autologon row is left unmarked.
    void Load();
    BoundMember Bind(Shown shown, int index);

    // The autologon box was clicked; the page has already taken its controls into the members. Sets the
    // dependent controls, warns when it is now checked, and marks the row.
    void ClickAutologon();
    // The Regedit box was clicked, controls already taken: a notice when it is now checked; marks the row.
    void ClickRegedit();

    // The check box of a row (the autologon row's is its box).
    static int ControlOf(Row row) { return Table()[row].control; }

    // Members bound to the check boxes, 0 or 1, indexed by row; and the two logon texts.
    std::array<int, kRowCount> check{};
    std::string userName;
    std::string password;

  private:
    static const std::array<TableRow, kRowCount> kTable;

    void ReadAutologon(const TableRow& row);
    long ApplyAutologon(const TableRow& row);
    void Enable(int control, bool enable) const;
    WindowRef Owner() const;

    PageHooks hooks_;
};

inline constexpr const char* kAutologonWarning =
    "Warning: The Autologon Password is not encrypted. Any user with access to Regedit may alter it.\r\n\r\n"
    "Also, Clear Last User at Logon will be disabled.";
inline constexpr const char* kAutologonWarningCaption = "Warning - Velmora 99";
inline constexpr const char* kRegeditNotice =
    "You can still run Regedit by starting it from the Preferences page in Velmora 99";
inline constexpr const char* kRegeditNoticeCaption = "Velmora 99 - Important";

}  // namespace velmora
