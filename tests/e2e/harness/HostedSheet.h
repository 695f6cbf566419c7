// The property sheet the main window hosts as a child: its tabs and pages, driven from the driver's
// process. The sheet is found by shape (a dialog child holding a tab control), not by id. (Not called
// PropertySheet: prsht.h defines that name as a macro.)
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace velmora::e2e {

class HostedSheet {
  public:
    // The direct child of `mainWindow` of class "#32770" that holds a "SysTabControl32"; null if none.
    static HWND Find(HWND mainWindow);

    explicit HostedSheet(HWND sheet);

    HWND Handle() const { return sheet_; }
    HWND TabControl() const { return tabs_; }

    int TabCount() const;
    // Every tab's title, left to right (TCM_GETITEMA through a buffer inside the program).
    std::vector<std::string> TabTitles() const;
    // The selected tab (TCM_GETCURSEL), -1 when none.
    int CurrentIndex() const;
    // The active page's dialog (PSM_GETCURRENTPAGEHWND).
    HWND CurrentPage() const;

    // Makes the sheet change to tab `index` the way the sheet itself does it, with the pages' leave and
    // enter notifications (PSM_SETCURSEL). True when that tab and its page are current afterwards.
    bool Select(int index);
    // Changes to the tab with this title and returns its page, or null.
    HWND SelectPage(std::string_view title);
    // The page window (shown or not, without changing tabs) that holds a control with this id, or null.
    HWND PageHolding(int controlId) const;

  private:
    HWND sheet_;
    HWND tabs_;
};

// Whether the three list pages show their lists: the program reads them after its window is up and keeps
// each page's list disabled until its list is there (the Folders/Run page: its autorun list).
bool ListPagesFilled(HWND mainWindow);

}  // namespace velmora::e2e
