// The About page: its message line once opened, its four links (each covering its text, each with its
// target as tooltip) and what a click does when the shell cannot open the link. Every link handler of
// the prefix points at a recording stand-in or at nothing: no scenario starts a real browser or mail
// program.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/Maker.h"
#include "controls/HyperLinkRules.h"
#include "res/resource.h"
#include "tests/e2e/harness/CaptionFit.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/ToolTips.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kAboutTitle[] = "About Velmora 99 2.50...";

constexpr COLORREF kLinkColour = RGB(0, 0, 238);
constexpr COLORREF kVisitedColour = RGB(85, 26, 139);

// A program path that does not exist: a link handler that cannot start.
constexpr char kMissingProgram[] = "Z:\\velmora-e2e\\no-such-browser.exe \"%1\"";
constexpr char kTestDocumentClass[] = "VelmoraE2E.HtmlDocument";

std::string RecorderPath() {
    return ToWinePath(VELMORA_E2E_LINK_RECORDER);
}

// Where the recorder writes: this prefix's temp folder, which no other lane's scenario shares.
std::string RecorderLog() {
    char temp[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    return std::string(temp, length < MAX_PATH ? length : 0) + "velmora-link-recorder.log";
}

std::string Quoted(const std::string& text) {
    std::string quoted(1, '"');
    quoted.append(text);
    quoted.push_back('"');
    return quoted;
}

// The recorder's command line, registered the way browsers register theirs.
std::string RecorderCommand() {
    return Quoted(RecorderPath()) + " \"%1\"";
}

std::vector<std::string> RecordedLines() {
    std::vector<std::string> lines;
    std::ifstream log(RecorderLog(), std::ios::binary);
    for (std::string line; std::getline(log, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The prefix's handlers for web and mail links and the ".htm" class, set for one scenario and put back
// afterwards. By default every one of them leads to the recorder.
class LinkHandlers {
  public:
    LinkHandlers() {
        std::remove(RecorderLog().c_str());
        EXPECT_TRUE(http_.Set(RegistryValue::String(RecorderCommand())));
        EXPECT_TRUE(mailto_.Set(RegistryValue::String(RecorderCommand())));
        EXPECT_TRUE(htmCommand_.Set(RegistryValue::String(RecorderCommand())));
        EXPECT_TRUE(htm_.Set(RegistryValue::String(kTestDocumentClass)));
    }
    ~LinkHandlers() { std::remove(RecorderLog().c_str()); }

    void BreakShellAssociations() {
        EXPECT_TRUE(http_.Set(RegistryValue::String(kMissingProgram)));
        EXPECT_TRUE(mailto_.Set(RegistryValue::String(kMissingProgram)));
    }
    // ".htm" names a class that has no open command.
    void BreakHtmClass() { EXPECT_TRUE(htm_.Set(RegistryValue::String("VelmoraE2E.NoSuchClass"))); }

  private:
    ScopedRegistryValue http_{RootKey::ClassesRoot, "http\\shell\\open\\command", ""};
    ScopedRegistryValue mailto_{RootKey::ClassesRoot, "mailto\\shell\\open\\command", ""};
    ScopedRegistryValue htmCommand_{RootKey::ClassesRoot,
                                    std::string(kTestDocumentClass) + "\\shell\\open\\command", ""};
    ScopedRegistryValue htm_{RootKey::ClassesRoot, ".htm", ""};
};

// The tooltip text of tool 1 of `label`, from whichever of the program's tooltip windows holds it.
std::optional<std::string> TooltipOf(DWORD processId, HWND label) {
    const std::vector<ToolTip> tools = ToolTipsOf(processId);
    const ToolTip* tool = FindTool(tools, label, 1);
    return tool == nullptr ? std::nullopt : std::optional<std::string>(tool->text);
}

// The size of `text` in the page's font ("MS Sans Serif" 8) underlined, as the labels draw it.
SIZE UnderlinedTextSize(const std::string& text) {
    UseTheProgramsFaces();
    const HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    const HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, DEFAULT_CHARSET, 0, 0,
                                   PROOF_QUALITY, FF_DONTCARE, "MS Sans Serif");
    const HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size;
}

// How many pixels of the window's screen rectangle show `colour`.
int PixelsOf(HWND window, COLORREF colour) {
    const RECT rect = ScreenRect(window);
    const HDC screen = GetDC(nullptr);
    int count = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        for (LONG x = rect.left; x < rect.right; ++x) {
            count += GetPixel(screen, x, y) == colour ? 1 : 0;
        }
    }
    ReleaseDC(nullptr, screen);
    return count;
}

// Presses and releases the left button on the label, as a click on its text does.
void ClickLabel(HWND label) {
    PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

class AboutPage : public ::testing::Test {
  protected:
    void SetUp() override {
        // The pointer away from the page, so that no label is drawn in its hover colour.
        SetCursorPos(0, 0);
        ASSERT_TRUE(session_.Start());
        HostedSheet sheet(HostedSheet::Find(session_.MainWindow()));
        page_ = sheet.SelectPage(kAboutTitle);
        ASSERT_NE(page_, nullptr) << "no About tab";
    }

    HWND Label(int id) const { return Control(page_, id); }

    LinkHandlers handlers_;
    VelmoraSession session_{WindowsVersion::Nt};
    HWND page_ = nullptr;
};

TEST_F(AboutPage, OpenedTabShowsTheMessageLinesAndAScreenshotIsSaved) {
    EXPECT_EQ(TextOf(Control(page_, IDC_ABOUT_FIRST_MESSAGE)), "Download the latest version at my web site.");
    EXPECT_EQ(TextOf(Control(page_, IDC_ABOUT_SECOND_MESSAGE)), "");
    const Screenshot shot = SaveScreenshot(session_.MainWindow(), "about_page");
    EXPECT_FALSE(shot.path.empty());
    EXPECT_GT(shot.distinctColours, 2) << shot.path;
}

TEST_F(AboutPage, LabelsCoverTheirTextAndShowTheirTargetsAsTooltips) {
    const std::string mail = std::string("mailto:") + kSupportAddress;
    struct Expected {
        int id;
        std::string text;
        std::string target;
        bool centred;
    };
    const Expected labels[] = {
        {IDC_ABOUT_EMAIL_LINK, "Email Me!", mail, true},
        {IDC_ABOUT_HOME_PAGE_LINK, "Home Page", kHomePage, true},
        {IDC_ABOUT_SUPPORT_ADDRESS_LINK, kSupportAddress, mail, false},
        {IDC_ABOUT_HOME_PAGE_ADDRESS_LINK, VELMORA_HOME_HOST, kHomePage, false},
    };
    for (const Expected& expected : labels) {
        SCOPED_TRACE(expected.text);
        const HWND label = Label(expected.id);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(TextOf(label), expected.text);
        EXPECT_NE(Style(label) & SS_NOTIFY, 0);

        const SIZE text = UnderlinedTextSize(expected.text);
        const RECT rect = ScreenRect(label);
        const LONG width = rect.right - rect.left;
        const LONG height = rect.bottom - rect.top;
        if (expected.centred) {
            // Shrunk by the same amount on both sides: an odd difference leaves one pixel over.
            EXPECT_GE(width, text.cx);
            EXPECT_LE(width, text.cx + 1);
            EXPECT_GE(height, text.cy);
            EXPECT_LE(height, text.cy + 1);
        } else {
            EXPECT_EQ(width, text.cx);
            EXPECT_EQ(height, text.cy);
        }

        EXPECT_EQ(TooltipOf(session_.ProcessId(), label), expected.target);
        // Drawn in the link colour until visited.
        EXPECT_GT(PixelsOf(label, kLinkColour), 0);
    }
}

TEST_F(AboutPage, WithoutAShellAssociationHomePageStartsTheHtmProgram) {
    handlers_.BreakShellAssociations();
    const HWND homePage = Label(IDC_ABOUT_HOME_PAGE_LINK);
    ASSERT_NE(homePage, nullptr);
    ClickLabel(homePage);

    std::vector<std::string> lines;
    ASSERT_TRUE(WaitUntil([&] { return !(lines = RecordedLines()).empty(); }, kDeadline))
        << "the \".htm\" program was not started";
    ASSERT_EQ(lines.size(), 1u);
    // The quoted placeholder cut away, then one blank and the target.
    const std::string expected = Quoted(RecorderPath()) + "  " + kHomePage;
    std::string recorded = lines[0];
    if (!recorded.empty() && recorded.back() == '\r') {
        recorded.pop_back();
    }
    EXPECT_EQ(recorded, expected);

    EXPECT_EQ(WaitForMessageBox(session_.ProcessId(), kMessageBoxCaption, Milliseconds(500)), nullptr)
        << "a failure was reported";
    EXPECT_TRUE(WaitUntil([&] { return PixelsOf(homePage, kVisitedColour) > 0; }, kDeadline))
        << "the label is not drawn in the visited colour";
    EXPECT_EQ(PixelsOf(homePage, kLinkColour), 0);
}

TEST_F(AboutPage, WithNeitherAssociationTheFailureIsExplained) {
    handlers_.BreakShellAssociations();
    handlers_.BreakHtmClass();
    const HWND homePage = Label(IDC_ABOUT_HOME_PAGE_LINK);
    ASSERT_NE(homePage, nullptr);
    ClickLabel(homePage);

    const HWND box = WaitForMessageBox(session_.ProcessId(), kMessageBoxCaption, kDeadline);
    ASSERT_NE(box, nullptr) << "no failure message";
    const std::string text = MessageBoxText(box);
    // The shell's own code decides the explanation; it must be one of the table's texts or the
    // numbered unknown-error text.
    bool known = false;
    for (std::uintptr_t code = 0; code <= 32 && !known; ++code) {
        known = text == hyperlink::OpenErrorMessage(code);
    }
    EXPECT_TRUE(known) << text;
    EXPECT_EQ(text.rfind("Unable to open hyperlink:\n\n", 0), 0u) << text;
    EXPECT_TRUE(HasButton(box, IDOK));
    EXPECT_TRUE(AnswerMessageBox(box, IDOK));
    EXPECT_TRUE(RecordedLines().empty()) << "a program was started";
    EXPECT_EQ(PixelsOf(homePage, kVisitedColour), 0);
}

// The promotional window is up only while the program's thread is busy starting (it is removed at the
// end of a wait in that thread), so the harness's screenshot, which waits for the thread to go idle,
// would find it gone: this copies what is on screen at once instead.
std::string SaveScreenArea(const RECT& rect, const std::string& name) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    std::vector<std::uint8_t> pixels(header.biSizeImage);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    const bool read = copied && GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!read) {
        ADD_FAILURE() << "copy " << copied << " error " << GetLastError();
        return {};
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    const std::string path = ScreenshotDirectory() + "\\" + name + ".bmp";
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    return out ? path : std::string();
}

TEST(PromoWindowLook, ScreenshotWhileItShows) {
    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Launch());
    const WindowQuery promoQuery{session.ProcessId(), kPromoWindowCaption, "#32770", nullptr, true};
    HWND promo = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (promo = FindTopLevelWindow(promoQuery)) != nullptr; }, kStartTimeout));
    // Shown with its template's visible style; its paint comes when its thread next takes messages.
    ASSERT_TRUE(WaitUntilPainted(promo));
    const RECT rect = ScreenRect(promo);
    const std::string path = SaveScreenArea(rect, "promo_window");
    EXPECT_FALSE(path.empty()) << ToString(rect) << " visible " << IsWindowVisible(promo);
    ASSERT_TRUE(session.WaitForMainWindow());
}

}  // namespace
}  // namespace velmora::e2e
