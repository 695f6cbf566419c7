// CHyperLink: a static text of a dialog turned into a link. Drawn underlined in link colours, it changes
// colour under the pointer, shows a hand cursor and a tooltip with its target, and on a click opens the
// target (a web address or a "mailto:" address) through the shell, falling back to the program
// registered for ".htm" documents. It is attached to its static control by data exchange.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Controls.h"
#include "framework/ToolTipCtrl.h"
#include "system/Services.h"

class CHyperLink : public CStatic {
  public:
    // The shell, the registry (the ".htm" fallback) and the Windows directory (the hand cursor) come
    // from `services`.
    explicit CHyperLink(velmora::Services services);
    ~CHyperLink() override;

    void SetLinkTarget(const std::string& target);
    void SetUnderlined(BOOL underline);
    void MarkVisited(BOOL visited);

    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    void PreSubclassWindow() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void OnClicked();
    HBRUSH OnCtlColor(HDC dc) const;
    BOOL OnSetCursor();
    void OnMouseMove(LPARAM point);
    void FitToText();
    void LoadHandCursor();
    void ReplaceFont(BOOL underline);
    void RedrawNow();
    void ShowOpenError(std::uintptr_t code);

    COLORREF m_linkColour = RGB(0, 0, 238);
    COLORREF m_visitedColour = RGB(85, 26, 139);
    COLORREF m_hoverColour;
    BOOL m_over = FALSE;
    BOOL m_visited = FALSE;
    BOOL m_underline = TRUE;
    BOOL m_fitToText = TRUE;
    std::string m_target;
    HFONT m_font = nullptr;
    HCURSOR m_handCursor = nullptr;
    CToolTipCtrl m_toolTip;
    velmora::Services m_services;
};
