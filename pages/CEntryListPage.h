// What the Add/Remove and New pages share: a notice above a list box of a velmora::EntryList's lines, the
// list empty and disabled under a wait cursor until the start-up reader's entries arrive, filled whole
// after every read, a Remove icon button and the page's other buttons, which a selection enables. Each
// page says what removing (and its other buttons) do. The page never lights up Apply.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "controls/CIconButton.h"
#include "framework/PropertyPage.h"
#include "pages/ListBoxFill.h"
#include "pages/WaitingList.h"
#include "res/resource.h"
#include "system/Services.h"

// The controls every such page has, named by the page.
struct EntryListControls {
    int list;
    int notice;
    int removeButton;
};

template <class List>
class CEntryListPage : public CPropertyPage {
  public:
    using Entry = typename List::EntryType;

    // Reads the entries and shows them in the list.
    void Load() {
        m_list.Load();
        ShowEntries();
    }
    // Shows the entries the start-up reader read, unless the list was read otherwise meanwhile.
    void ShowStartupEntries(std::vector<Entry> entries) {
        if (m_list.AdoptRead(std::move(entries))) {
            ShowEntries();
            RefreshCursorOver(m_hWnd);
        }
    }
    List& Settings() { return m_list; }
    const List& Settings() const { return m_list; }

    // Remove becomes an icon button.
    void SetUpButtons() { m_removeButton.SetUp(this, m_controls.removeButton, IDI_DELETE); }

    BOOL OnInitDialog() override {
        CPropertyPage::OnInitDialog();
        EnableButtons(FALSE);
        m_noticeShown = m_notice;
        UpdateData(FALSE);
        ShowWaiting();
        return TRUE;
    }

  protected:
    CEntryListPage(UINT templateId, const EntryListControls& controls, velmora::Services services,
                   const char* notice)
        : CPropertyPage(templateId), m_list(services), m_controls(controls), m_notice(notice) {}

    // The page's buttons: disabled until a line is selected, and again after each action.
    virtual void EnableButtons(BOOL enable) = 0;
    // Remove was pressed.
    virtual void OnRemove() = 0;

    // Fills the list box with the entries' lines as last read.
    void ShowEntries() {
        if (m_hWnd == nullptr) {
            return;
        }
        FillListBoxFrom(GetDlgItemHwnd(m_controls.list), m_list.Entries(),
                        [](const Entry& entry) -> const std::string& { return entry.Text(); });
        UpdateData(FALSE);
        ShowWaiting();
    }

    void DoDataExchange(CDataExchange* dx) override {
        CPropertyPage::DoDataExchange(dx);
        DDX_Text(dx, m_controls.notice, m_noticeShown);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == m_controls.list && HIWORD(wParam) == LBN_SELCHANGE) {
            EnableButtons(TRUE);
            return TRUE;
        }
        if (LOWORD(wParam) == m_controls.removeButton && HIWORD(wParam) == BN_CLICKED) {
            OnRemove();
            return TRUE;
        }
        return CPropertyPage::OnCommand(wParam, lParam);
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (m_list.Waiting() && SetWaitCursor(message, result)) {
            return TRUE;
        }
        return CPropertyPage::OnWndMsg(message, wParam, lParam, result);
    }

    List m_list;
    const EntryListControls m_controls;

  private:
    // The list enabled once its entries are there.
    void ShowWaiting() { ::EnableWindow(GetDlgItemHwnd(m_controls.list), !m_list.Waiting()); }

    const char* m_notice;
    std::string m_noticeShown;
    CIconButton m_removeButton;
};
