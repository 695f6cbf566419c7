// The New page: the file types that offer an entry in the shell's New menu. Selected entries are
// removed at once, without a question; a notice on the page says so. The list, its wait, its notice and
// its Remove button are CEntryListPage's.
#pragma once

#include <string>
#include <vector>

#include "pages/CEntryListPage.h"
#include "res/resource.h"
#include "settings/ShellNewList.h"
#include "system/Services.h"

class CNewDlg : public CEntryListPage<velmora::ShellNewList> {
  public:
    enum { IDD = IDD_NEW };
    explicit CNewDlg(velmora::Services services);

  protected:
    void EnableButtons(BOOL enable) override;
    void OnRemove() override;
};
