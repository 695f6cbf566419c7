// CIconButton: the program's push button. Owner-drawn, it shows an icon left of its caption, stays flat
// while the pointer is elsewhere and shows a thin raised frame and its hot caption colour while the
// pointer is over it. It is attached to a button of a dialog template with SubclassDlgItem; LoadIcons
// and SetHotTextColor follow.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Controls.h"

class CIconButton : public CButton {
  public:
    CIconButton();
    ~CIconButton() override;

    // Loads the icons from the program's resources; a normal icon id of 0 uses the hot icon for both.
    // Width and height place the icon; it is drawn at its own size. Call once the control is attached.
    void LoadIcons(int hotIconId, int normalIconId, BYTE width, BYTE height);
    void SetHotTextColor(COLORREF color, BOOL repaint);

    // Back to the system's button colours.
    void ResetNormalBackgroundColor(BOOL repaint);
    void ResetNormalTextColor(BOOL repaint);
    void ResetHotBackgroundColor(BOOL repaint);
    void ResetHotTextColor(BOOL repaint);

    COLORREF GetNormalBackgroundColor() const { return m_normalBackground; }
    COLORREF GetNormalTextColor() const { return m_normalText; }
    COLORREF GetHotBackgroundColor() const { return m_hotBackground; }
    COLORREF GetHotTextColor() const { return m_hotText; }

  protected:
    void PreSubclassWindow() override;
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void OnCaptureChanged(HWND newCapture);
    BOOL OnSetCursor(LRESULT* result);
    void OnKillFocus();
    void OnMouseMove(WPARAM keys, LPARAM point);
    void Repaint(BOOL repaint);
    void DestroyImages();

    void DrawFrame(HDC dc, const RECT& item, bool hot, bool pressed) const;
    void DrawCaption(HDC dc, const std::string& caption, const RECT& space, bool active, bool disabled);

    int m_iconAlignment = 0;  // icon left of the caption, both vertically centred
    BOOL m_showCaption = TRUE;
    BOOL m_drawBorder = TRUE;
    BOOL m_flat = TRUE;
    BOOL m_hot = FALSE;
    BOOL m_focusFrameWhenFlat = FALSE;
    HCURSOR m_cursor = nullptr;
    HICON m_hotIcon = nullptr;
    HICON m_normalIcon = nullptr;
    BYTE m_iconHeight = 0;
    BYTE m_iconWidth = 0;
    COLORREF m_normalBackground = 0;
    COLORREF m_normalText = 0;
    COLORREF m_hotBackground = 0;
    COLORREF m_hotText = 0;
};
