// A page of settings that are applied later, over its model's table (velmora::TableModel). Loading reads
// the rows this Windows loads, disables the controls of the others and shows the members; the page's data
// exchange walks the table, each row's control (and each of its parts) with the member it is bound to. A
// touched control marks its row and lights up the main window's Apply button; the change notices that
// showing the members sends are not the user's and are ignored. The main window's apply cycle reaches the
// page through velmora::AppliedPage: the controls taken into the members once, the rows applied, then
// what the model asked of the page.
#pragma once

#include "framework/PropertyPage.h"
#include "settings/AppliedPage.h"
#include "settings/OsVersion.h"
#include "settings/TableModel.h"

class CSettingPage : public CPropertyPage, public velmora::AppliedPage {
  public:
    explicit CSettingPage(UINT templateId) : CPropertyPage(templateId) {}

    // Reads the rows `windows` loads and shows them; the controls of the rows it does not load are
    // disabled for the page's life.
    virtual void Load(const velmora::WindowsTraits& windows);

    void TakeControls() override { UpdateData(TRUE); }
    void Follow(const velmora::PageRequests& requests) override;
    velmora::WindowRef Owner() override { return reinterpret_cast<velmora::WindowRef>(m_hWnd); }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The main window is the parent of the sheet, which is this page's parent.
    void EnableApply();
    HWND MainWindow() const;

  private:
    // Set while the members are shown in the controls.
    bool m_filling = false;
};
