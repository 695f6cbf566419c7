#include "tests/e2e/harness/Screenshot.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>
#include <thread>

#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

struct DcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

int CountColours(const std::uint8_t* bits, int width, int height, int stride) {
    std::set<std::uint32_t> colours;
    for (int y = 0; y < height && colours.size() < 256; ++y) {
        const std::uint8_t* row = bits + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width && colours.size() < 256; ++x) {
            colours.insert(row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
        }
    }
    return static_cast<int>(colours.size());
}

bool WriteBitmap(const std::string& path, const BITMAPINFOHEADER& header, const std::uint8_t* bits,
                 std::size_t size) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + size);
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
    return out && std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
           std::fwrite(&header, sizeof header, 1, out.get()) == 1 &&
           std::fwrite(bits, 1, size, out.get()) == size;
}

BOOL CALLBACK FindUnpainted(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool unpainted = false;
    EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

}  // namespace

bool WaitUntilPainted(HWND window, Milliseconds timeout) {
    return WaitUntil([window] { return Painted(window); }, timeout, Milliseconds(20));
}

Screenshot SaveScreenshot(HWND window, std::string_view name) {
    Screenshot shot;
    // Everything painted, and the program's thread idle again, before the copy.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Responds(window);
    WaitUntilPainted(window);

    const RECT rect = ScreenRect(window);
    shot.width = rect.right - rect.left;
    shot.height = rect.bottom - rect.top;
    if (shot.width <= 0 || shot.height <= 0) {
        return shot;
    }
    std::unique_ptr<HDC__, DcReleaser> screen(GetDC(nullptr));
    std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(screen.get()));

    BITMAPINFO info{};
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = shot.width;
    header.biHeight = shot.height;  // bottom-up, as .bmp files store rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (shot.width * 3 + 3) & ~3;
    header.biSizeImage = static_cast<DWORD>(stride) * shot.height;
    void* bits = nullptr;
    std::unique_ptr<void, ObjectDeleter> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return shot;
    }
    const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    const bool copied = BitBlt(memory.get(), 0, 0, shot.width, shot.height, screen.get(), rect.left, rect.top,
                               SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory.get(), old);
    if (!copied) {
        return shot;
    }
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    shot.distinctColours = CountColours(pixels, shot.width, shot.height, stride);
    const std::string path = ScreenshotDirectory() + "\\" + std::string(name) + ".bmp";
    if (WriteBitmap(path, header, pixels, header.biSizeImage)) {
        shot.path = path;
    }
    return shot;
}

RECT DrawnExtent(HWND window, const RECT& part, COLORREF background) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Responds(window);
    RECT extent{};
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (width <= 0 || height <= 0) {
        return extent;
    }
    std::unique_ptr<HDC__, DcReleaser> screen(GetDC(nullptr));
    std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row y is line y of the part
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<void, ObjectDeleter> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return extent;
    }
    POINT origin{part.left, part.top};
    ClientToScreen(window, &origin);
    const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    const bool copied =
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory.get(), old);
    if (!copied) {
        return extent;
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t paper =
        GetBValue(background) | GetGValue(background) << 8 | GetRValue(background) << 16;
    bool any = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF) == paper) {
                continue;
            }
            if (!any) {
                extent = {x, y, x + 1, y + 1};
                any = true;
            }
            extent.left = x < extent.left ? x : extent.left;
            extent.right = x + 1 > extent.right ? x + 1 : extent.right;
            extent.top = y < extent.top ? y : extent.top;
            extent.bottom = y + 1 > extent.bottom ? y + 1 : extent.bottom;
        }
    }
    OffsetRect(&extent, part.left, part.top);
    return extent;
}

}  // namespace velmora::e2e
