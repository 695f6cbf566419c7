// CIconButton: the program's push button. Owner-drawn, it shows an icon left of its caption, stays flat
// while the pointer is elsewhere and shows a thin raised frame and its hot caption colour while the
// pointer is over it. SetUp attaches it to a button of a dialog template and gives it its icon and the
// program's blue hot caption.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Controls.h"

class CIconButton : public CButton {
  public:
    CIconButton();
    ~CIconButton() override;

    // Attaches the object to the button `controlId` of `dialog`, loads the icon `iconId` (none for 0: the
    // flat look and the hot caption only) and makes the hot caption blue.
    void SetUp(CWnd* dialog, int controlId, int iconId = 0);

    // Loads the icons from the program's resources at the system's icon size, which follows the screen's
    // DPI; a normal icon id of 0 uses the hot icon for both. Call once the control is attached.
    void LoadIcons(int hotIconId, int normalIconId = 0);
    void SetHotTextColor(COLORREF color, BOOL repaint);

  protected:
    void PreSubclassWindow() override;
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void OnCaptureChanged(HWND newCapture);
    void OnKillFocus();
    void OnMouseMove(WPARAM keys, LPARAM point);
    void Repaint(BOOL repaint);
    void DestroyImages();

    void DrawFrame(HDC dc, const RECT& item, bool hot, bool pressed) const;
    void DrawCaption(HDC dc, const std::string& caption, const RECT& space, bool active, bool disabled);

    BOOL m_hot = FALSE;
    HICON m_hotIcon = nullptr;
    HICON m_normalIcon = nullptr;
    int m_iconHeight = 0;
    int m_iconWidth = 0;
    // The system's button colours but for the hot caption's.
    COLORREF m_normalBackground = ::GetSysColor(COLOR_BTNFACE);
    COLORREF m_normalText = ::GetSysColor(COLOR_BTNTEXT);
    COLORREF m_hotBackground = ::GetSysColor(COLOR_BTNFACE);
    COLORREF m_hotText = ::GetSysColor(COLOR_BTNTEXT);
};
