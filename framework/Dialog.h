// CDialog: a dialog on a template of the program's resources, modeless (Create) or modal (DoModal).
// The modal loop is the program's own, so that PreTranslateMessage sees every message of the dialog and
// its children (tooltips relay through it).
#pragma once

#include "framework/DataExchange.h"
#include "framework/Wnd.h"

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // Copies controls into members (save) or members into controls; FALSE when a check refused the data.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* msg) override;

    // The dialog's help context: its template's id.
    UINT m_nIDHelp;

  protected:
    virtual void DoDataExchange(CDataExchange* dx);
    virtual void OnOK();
    virtual void OnCancel();
    // Fills combo and list boxes from the template's dialog-initialisation resource (type 240).
    BOOL ExecuteDlgInit(UINT templateId);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd;

  private:
    void RestoreLostFocus();

    UINT m_templateId;
    bool m_modal = false;
    bool m_endModal = false;
    int m_modalResult = -1;
};

// Offers a message to every window from its target up to `stop`, innermost first.
BOOL AfxWalkPreTranslateTree(HWND stop, MSG* msg);

INT_PTR CALLBACK AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
