// CWnd: one C++ object per window. Windows made through the framework, and controls attached with
// SubclassDlgItem, get their messages through the object's WindowProc; notifications a control sends to
// its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*) are offered back to the control's own
// object first (reflection).
#pragma once

#include <windows.h>

#include <string>

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The object attached to `hwnd`, if any.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // The top-level window that `hwnd` is a child (or grandchild...) of, or `hwnd` itself. What
    // GetAncestor(GA_ROOT) gives on later systems; Windows 95 and NT 4.0 have no GetAncestor.
    static HWND TopLevelOf(HWND hwnd);

    // Attaches this object to an existing control and routes its messages through WindowProc.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Arranges for the next window this thread creates to be attached to `wnd` before its first message.
    static void HookWindowCreate(CWnd* wnd);
    static void UnhookWindowCreate();

    virtual BOOL PreTranslateMessage(MSG* msg);
    // A key pressed in the dialog this window is a child of, outside this window: a child that acts on
    // its host's keys takes it here (TRUE). Nothing by default.
    virtual BOOL PreTranslateHostKey(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL DestroyWindow();

    // Thin wrappers over the Win32 calls, for the windows the program handles.
    HWND GetDlgItemHwnd(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL ShowWindow(int show) { return ::ShowWindow(m_hWnd, show); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void ScreenToClient(RECT* rect) const;
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw, 0); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add);
    BOOL ModifyStyleEx(DWORD remove, DWORD add);
    void CenterWindow();
    void SetIcon(HICON icon, BOOL big) { SendMessage(WM_SETICON, big, reinterpret_cast<LPARAM>(icon)); }

  protected:
    // Handles a message; returns TRUE with *result set when it did, FALSE to let the default run.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification this control sent to its parent, offered back to it; TRUE when handled here.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_CTLCOLOR* of a child: by default the child's own object may answer (reflection).
    virtual HBRUSH OnCtlColor(HDC dc, CWnd* child, UINT ctlType);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}

    // Offers a child's notification to the child's object.
    static BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtHook(int, WPARAM, LPARAM);
    void Attach(HWND hwnd);
    void Detach();

    WNDPROC m_superProc = nullptr;
};

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
