#include "tests/e2e/harness/CaptionFit.h"

#include <string_view>

#include "app/CWineFonts.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

enum class CaptionKind { None, Text, CheckMark };

CaptionKind KindOf(HWND control) {
    const std::string className = ClassNameOf(control);
    const LONG style = Style(control);
    if (lstrcmpiA(className.c_str(), "Static") == 0) {
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
            case SS_SIMPLE:
            case SS_LEFTNOWORDWRAP:
                return CaptionKind::Text;
            default:
                return CaptionKind::None;  // icons, frames, bitmaps
        }
    }
    if (lstrcmpiA(className.c_str(), "Button") == 0 && (style & BS_PUSHLIKE) == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return CaptionKind::CheckMark;
            default:
                return CaptionKind::None;
        }
    }
    return CaptionKind::None;
}

// The caption as drawn: "&x" shows as an underlined x, "&&" as one ampersand.
std::string ShownText(std::string_view caption, bool prefixes) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (prefixes && caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

// The dialogs' font, made in this process: a GDI handle of the program means nothing here (and Wine 8
// answers a WM_GETFONT from another process with 0), and every template of the program declares this
// font. The driver gets the same faces as the program first.
HFONT CreateDialogFont(HWND window) {
    UseTheProgramsFaces();
    const HDC dc = GetDC(window);
    const int height = -MulDiv(kDialogFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(window, dc);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kDialogFontFace);
}

struct Measure {
    int textWidth = 0;
    int room = 0;
};

Measure MeasureCaption(HWND control, CaptionKind kind, const std::string& text, HFONT font) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT client{};
    GetClientRect(control, &client);
    Measure measure{extent.cx, client.right - client.left};
    if (kind == CaptionKind::CheckMark) {
        // The box is 12 pixels at 96 dpi plus its frame; the caption starts half a digit after it, and
        // never less than 4 pixels after it.
        const int box = 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1;
        INT digit = 0;
        GetCharWidth32A(dc, '0', '0', &digit);
        measure.room -= box + (digit / 2 > 4 ? digit / 2 : 4);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return measure;
}

struct Search {
    std::vector<std::string> problems;
};

BOOL CALLBACK CheckControl(HWND control, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    const CaptionKind kind = KindOf(control);
    if (kind == CaptionKind::None || !IsVisible(control)) {
        return TRUE;
    }
    const bool prefixes = kind == CaptionKind::CheckMark || (Style(control) & SS_NOPREFIX) == 0;
    const std::string text = ShownText(TextOf(control), prefixes);
    if (text.empty()) {
        return TRUE;
    }
    const HFONT font = CreateDialogFont(control);
    const std::string what = std::to_string(GetDlgCtrlID(control)) +
                             (kind == CaptionKind::Text ? " text \"" : " check box \"") + text + "\"";
    if (font == nullptr) {
        search.problems.push_back(what + ": the dialogs' font cannot be made");
        return TRUE;
    }
    const Measure measure = MeasureCaption(control, kind, text, font);
    DeleteObject(font);
    if (measure.textWidth > measure.room) {
        search.problems.push_back(what + ": " + std::to_string(measure.textWidth) + " px wide, room for " +
                                  std::to_string(measure.room) + " px");
    }
    return TRUE;
}

}  // namespace

void UseTheProgramsFaces() {
    static CWineFonts sameFacesAsTheProgram;
    static const int added = sameFacesAsTheProgram.AddMissing();
    (void)added;
}

std::vector<std::string> CaptionsWiderThanTheirControls(HWND window) {
    Search search;
    EnumChildWindows(window, &CheckControl, reinterpret_cast<LPARAM>(&search));
    return search.problems;
}

testing::AssertionResult CaptionsFit(HWND window) {
    const std::vector<std::string> problems = CaptionsWiderThanTheirControls(window);
    if (problems.empty()) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << problems.size() << " caption(s) wider than their controls in \"" << CaptionOf(window) << "\":";
    for (const std::string& problem : problems) {
        failure << "\n  " << problem;
    }
    return failure;
}

testing::AssertionResult LaidOutInTheFontItNames(HWND dialog, int widthInDialogUnits) {
    const HFONT font = CreateDialogFont(dialog);
    if (font == nullptr) {
        return testing::AssertionFailure() << "the dialogs' font cannot be made";
    }
    const HDC dc = GetDC(dialog);
    const HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    // The horizontal dialog unit as Windows takes it: half the average width of the 52 letters, rounded.
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE letters{};
    GetTextExtentPoint32A(dc, kLetters, 52, &letters);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    DeleteObject(font);
    const int baseUnit = (letters.cx / 26 + 1) / 2;
    RECT client{};
    GetClientRect(dialog, &client);
    const int expected = MulDiv(widthInDialogUnits, baseUnit, 4);
    if (client.right - client.left == expected) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "\"" << CaptionOf(dialog) << "\" is " << client.right - client.left << " px wide; "
           << widthInDialogUnits << " dialog units of \"" << face << "\" are " << expected << " px";
}

}  // namespace velmora::e2e
