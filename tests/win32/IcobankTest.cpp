// Icobank.exe as the shell reads it: three overlay icons in index order, 0 the normal arrow, 1 a
// smaller arrow, 2 nothing at all; each with its own 16-pixel image.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/win32/BuiltFiles.h"

namespace velmora {
namespace {

// An icon drawn over a plain background, as 32-bit pixels, top row first.
std::vector<COLORREF> Render(HICON icon, int size, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<const COLORREF*>(bits),
                                 static_cast<const COLORREF*>(bits) + size * size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Which pixels of the icon cover the background: those that show neither of two backgrounds.
struct Coverage {
    std::vector<bool> opaque;
    int count = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // of the opaque pixels
};

Coverage CoverageOf(HICON icon, int size) {
    const std::vector<COLORREF> onBlack = Render(icon, size, RGB(0, 0, 0));
    const std::vector<COLORREF> onWhite = Render(icon, size, RGB(255, 255, 255));
    Coverage coverage;
    coverage.opaque.resize(onBlack.size());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * size + x);
            // DIB sections hold BGR: compare the colour bytes only.
            const bool shows = (onBlack[i] & 0xFFFFFF) == 0 && (onWhite[i] & 0xFFFFFF) == 0xFFFFFF;
            if (shows) {
                continue;
            }
            coverage.opaque[i] = true;
            ++coverage.count;
            coverage.left = std::min(coverage.left, x);
            coverage.right = std::max(coverage.right, x);
            coverage.top = std::min(coverage.top, y);
            coverage.bottom = std::max(coverage.bottom, y);
        }
    }
    return coverage;
}

class IcobankIcons : public testing::Test {
  protected:
    void SetUp() override {
        path_ = BuiltFile(kIcobankPath);
        ASSERT_NE(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES) << path_;
    }
    void TearDown() override {
        for (HICON icon : icons_) {
            DestroyIcon(icon);
        }
    }
    HICON Keep(HICON icon) {
        if (icon != nullptr) {
            icons_.push_back(icon);
        }
        return icon;
    }
    std::string path_;
    std::vector<HICON> icons_;
};

TEST_F(IcobankIcons, HoldsExactlyThreeIcons) {
    EXPECT_EQ(ExtractIconExA(path_.c_str(), -1, nullptr, nullptr, 0), 3u);
    for (int index = 0; index < 3; ++index) {
        EXPECT_NE(Keep(ExtractIconA(GetModuleHandleA(nullptr), path_.c_str(), index)), nullptr) << index;
    }
    EXPECT_EQ(Keep(ExtractIconA(GetModuleHandleA(nullptr), path_.c_str(), 3)), nullptr);
}

TEST_F(IcobankIcons, IndexOneIsASmallerArrowInTheSameCornerAndIndexTwoIsEmpty) {
    std::array<Coverage, 3> large;
    for (int index = 0; index < 3; ++index) {
        HICON icon = Keep(ExtractIconA(GetModuleHandleA(nullptr), path_.c_str(), index));
        ASSERT_NE(icon, nullptr) << index;
        large[index] = CoverageOf(icon, 32);
    }
    const Coverage& normal = large[0];
    const Coverage& small = large[1];
    ASSERT_GT(normal.count, 0);
    ASSERT_GT(small.count, 0);
    EXPECT_NE(normal.opaque, small.opaque);
    // The overlay sits in the bottom-left corner of the shortcut's icon; the small one covers less.
    EXPECT_EQ(normal.left, 0);
    EXPECT_EQ(small.left, 0);
    EXPECT_GE(normal.bottom, 30);
    EXPECT_GE(small.bottom, 30);
    EXPECT_LT(small.right, normal.right);
    EXPECT_GT(small.top, normal.top);
    EXPECT_LT(small.count * 3, normal.count * 2);
    EXPECT_LT(normal.right, 16) << "the arrow must leave most of the shortcut's icon visible";
    // Not one pixel of the empty overlay covers anything.
    EXPECT_EQ(large[2].count, 0);
}

TEST_F(IcobankIcons, EachIconHasItsOwn16PixelImage) {
    // One icon per call: Wine fills only every other entry when asked for several small icons at once.
    std::array<HICON, 3> small{};
    std::array<Coverage, 3> coverage;
    for (int index = 0; index < 3; ++index) {
        ASSERT_EQ(ExtractIconExA(path_.c_str(), index, nullptr, &small[index], 1), 1u) << index;
        ASSERT_NE(Keep(small[index]), nullptr) << index;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(small[index], &info));
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) {
            DeleteObject(info.hbmColor);
        }
        EXPECT_EQ(mask.bmWidth, 16) << index;
        coverage[index] = CoverageOf(small[index], 16);
    }
    EXPECT_GT(coverage[0].count, 0);
    EXPECT_GT(coverage[1].count, 0);
    EXPECT_LT(coverage[1].count, coverage[0].count);
    EXPECT_EQ(coverage[2].count, 0);

    // Drawn for 16 pixels, not the 32-pixel image shrunk: the group of each icon lists both sizes.
    HMODULE module = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    for (int id = 1; id <= 3; ++id) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
        ASSERT_NE(found, nullptr) << id;
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        ASSERT_NE(group, nullptr);
        const int count = group[4] | group[5] << 8;
        std::vector<int> widths;
        for (int entry = 0; entry < count; ++entry) {
            widths.push_back(group[6 + 14 * entry]);  // GRPICONDIRENTRY: 14 bytes, width first
        }
        EXPECT_EQ(widths, (std::vector<int>{32, 16})) << "icon " << id;
    }
    FreeLibrary(module);
}

}  // namespace
}  // namespace velmora
