// Dialog data exchange: copies between a dialog's controls and the members bound to them, in the
// direction the exchange was made for.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CDataExchange {
  public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    int m_idLastControl = 0;  // the edit a following DDV_ check refers to

    HWND Control(int id) const;
    // A check that refused the data: the exchange stops reporting success.
    void Fail() { m_failed = true; }
    bool Failed() const { return m_failed; }

  private:
    bool m_failed = false;
};

// Check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// Radio group starting at `id` (the button with WS_GROUP) up to the next group: index of the checked
// button, -1 when none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Limits an edit to `maxChars` when loading; refuses longer text when saving.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars);
// Selected index of a combo box.
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// Attaches a control object to its control the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
