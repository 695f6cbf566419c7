// Small shortcut arrows chosen on the Desktop page and applied: the overlay that "Shell Icons" then
// names is the small arrow of the Icobank.exe this build ships, found where the value says. The driver
// draws that icon enlarged over a shortcut and saves the picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/Screenshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kShellIcons[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
constexpr int kScale = 8;  // the 32-pixel overlay drawn 256 pixels wide

std::string SystemDirectory() {
    char buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
    return std::string(buffer, length);
}

// Icobank.exe of this build in the system directory, as a user installs it; removed again afterwards
// when it was not there before.
class InstalledIconLibrary {
  public:
    InstalledIconLibrary()
        : target_(SystemDirectory() + "\\Icobank.exe"),
          existed_(GetFileAttributesA(target_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        copied_ = CopyFileA(ToWinePath(VELMORA_E2E_ICOBANK).c_str(), target_.c_str(), FALSE) != FALSE;
    }
    ~InstalledIconLibrary() {
        if (!existed_) {
            DeleteFileA(target_.c_str());
        }
    }
    bool Copied() const { return copied_; }

  private:
    std::string target_;
    bool existed_;
    bool copied_ = false;
};

// An icon drawn over black and over white, 32 x 32: equal pictures mean equal icons.
std::vector<DWORD> Pixels(HICON icon) {
    std::vector<DWORD> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (const int background : {BLACK_BRUSH, WHITE_BRUSH}) {
        RECT all{0, 0, 32, 32};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(background)));
        DrawIconEx(memory, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
        GdiFlush();
        pixels.insert(pixels.end(), static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 32 * 32);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// "C:\windows\system32\Icobank.exe,1": the file and the index of an icon location text.
struct IconLocation {
    std::string file;
    int index = -1;
};

std::optional<IconLocation> ParseLocation(const std::string& text) {
    const std::size_t comma = text.rfind(',');
    if (comma == std::string::npos || comma + 1 == text.size()) {
        return std::nullopt;
    }
    IconLocation location{text.substr(0, comma), 0};
    for (std::size_t i = comma + 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        location.index = location.index * 10 + (text[i] - '0');
    }
    return location;
}

// A window of the driver's own that shows the overlay enlarged: on its own, and over a shortcut's icon
// (Velmora's) as the shell lays it over one.
class OverlayWindow {
  public:
    OverlayWindow(HICON overlay, HICON shortcut, const std::string& location) : location_(location) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));  // the desktop's teal
        windowClass.lpszClassName = "VelmoraOverlayView";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Shortcut overlay",
                                  WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 620, 380, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        overlay_ = overlay;
        shortcut_ = shortcut;
        InvalidateRect(window_, nullptr, TRUE);
        Pump();
    }
    ~OverlayWindow() {
        DestroyWindow(window_);
        UnregisterClassA("VelmoraOverlayView", GetModuleHandleA(nullptr));
    }
    HWND Handle() const { return window_; }
    // The driver's own window paints from this thread's queue.
    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<OverlayWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_PAINT && self != nullptr) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            const int size = 32 * kScale;
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(255, 255, 255));
            TextOutA(dc, 20, 8, "Overlay", 7);
            TextOutA(dc, 20 + size + 40, 8, "Over a shortcut", 15);
            // The overlay's own 32 x 32 cell, framed, so its corner position shows.
            RECT cell{19, 29, 20 + size + 1, 30 + size + 1};
            FrameRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            DrawIconEx(dc, 20, 30, self->overlay_, size, size, 0, nullptr, DI_NORMAL);
            DrawIconEx(dc, 20 + size + 40, 30, self->shortcut_, size, size, 0, nullptr, DI_NORMAL);
            DrawIconEx(dc, 20 + size + 40, 30, self->overlay_, size, size, 0, nullptr, DI_NORMAL);
            // The value the picture comes from, since a bare X server draws no caption text.
            const std::string caption = "HKLM\\...\\Shell Icons, 29: " + self->location_;
            TextOutA(dc, 20, 30 + size + 12, caption.c_str(), static_cast<int>(caption.size()));
            EndPaint(window, &paint);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::string location_;
    HWND window_ = nullptr;
    HICON overlay_ = nullptr;
    HICON shortcut_ = nullptr;
};

class ShortcutArrows : public testing::Test {
  protected:
    ScopedRegistryRestore restore_{ProgramRegistryKeys()};
    ScopedRegistryValue arrows_{RootKey::LocalMachine, kShellIcons, "29"};
};

TEST_F(ShortcutArrows, SmallArrowsAppliedNameTheSmallArrowOfTheShippedIconLibrary) {
    InstalledIconLibrary library;
    ASSERT_TRUE(library.Copied()) << "copying " << VELMORA_E2E_ICOBANK << " to " << SystemDirectory();
    ASSERT_TRUE(arrows_.Remove());

    VelmoraSession session(WindowsVersion::Windows98);  // the arrows are disabled on NT
    ASSERT_TRUE(session.Start());
    const HWND page = session.SelectPage("Desktop");
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(Control(page, IDC_DESKTOP_ARROW_SMALL_RADIO)));
    ASSERT_TRUE(Click(Control(session.MainWindow(), IDC_MAIN_APPLY_BUTTON)));
    ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDCANCEL)));
    ASSERT_TRUE(session.WaitForExit());

    const std::optional<RegistryValue> value = ReadRawValue(RootKey::LocalMachine, kShellIcons, "29");
    ASSERT_TRUE(value.has_value());
    const std::string expected = SystemDirectory() + "\\Icobank.exe,1";
    ASSERT_EQ(*value, RegistryValue::String(expected)) << Describe(*value);
    const std::string written = expected;
    const std::optional<IconLocation> location = ParseLocation(written);
    ASSERT_TRUE(location.has_value()) << written;

    // What the shell would load from that location, against the icons of the file this build made.
    const HINSTANCE self = GetModuleHandleA(nullptr);
    HICON named = ExtractIconA(self, location->file.c_str(), location->index);
    ASSERT_NE(named, nullptr) << written;
    const std::string built = ToWinePath(VELMORA_E2E_ICOBANK);
    HICON builtSmall = ExtractIconA(self, built.c_str(), 1);
    HICON builtNormal = ExtractIconA(self, built.c_str(), 0);
    ASSERT_NE(builtSmall, nullptr);
    ASSERT_NE(builtNormal, nullptr);
    EXPECT_EQ(Pixels(named), Pixels(builtSmall));
    EXPECT_NE(Pixels(named), Pixels(builtNormal));

    HICON shortcut = ExtractIconA(self, ProgramPath().c_str(), 0);
    {
        OverlayWindow view(named, shortcut, written);
        const Screenshot shot = SaveScreenshot(view.Handle(), "shortcut-arrows-small");
        OverlayWindow::Pump();
        EXPECT_GT(shot.distinctColours, 4) << shot.path;
        std::printf("Screenshot: %s\n", shot.path.c_str());
    }
    for (HICON icon : {named, builtSmall, builtNormal, shortcut}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

}  // namespace
}  // namespace velmora::e2e
