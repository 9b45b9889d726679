#include "ui/render/gdi_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ui/render/gdi_handles.h"

namespace ui {
namespace {

class GdiBitmapTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bitmap_.Init(dc_.Get(), 100, 100, true)); }

    BYTE* PixelAt(int x, int y) { return static_cast<BYTE*>(bitmap_.GetBits()) + (y * 100 + x) * 4; }
    void Fill(BYTE value) { std::memset(bitmap_.GetBits(), value, 100 * 100 * 4); }

    ScopedMemoryDc dc_{::CreateCompatibleDC(nullptr)};
    GdiBitmap bitmap_;
};

TEST_F(GdiBitmapTest, InitRefusesBadArgumentsAndDropsTheOldBitmap) {
    struct Case {
        bool nullDc;
        int width, height;
    } const cases[] = {{true, 10, 10}, {false, 0, 10}, {false, 10, -1},
                       // width * height * 4 is past 32 bits: must not wrap into a small section
                       {false, 65536, 65536}, {false, 0x7FFFFFFF, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        ASSERT_TRUE(bitmap_.Init(dc_.Get(), 4, 4, true));
        EXPECT_FALSE(bitmap_.Init(c.nullDc ? nullptr : dc_.Get(), c.width, c.height, true));
        EXPECT_EQ(bitmap_.GetBitmap(), nullptr);
        EXPECT_EQ(bitmap_.GetBits(), nullptr);
        EXPECT_EQ(bitmap_.GetWidth(), 0);
        EXPECT_EQ(bitmap_.GetHeight(), 0);
        bitmap_.ClearAlpha(RECT{0, 0, 4, 4}, 1);  // no pixels: nothing to touch
        bitmap_.Clear();
    }
}

TEST_F(GdiBitmapTest, DetachHandsTheSectionOver) {
    HBITMAP handle = bitmap_.DetachBitmap();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(bitmap_.GetBits(), nullptr);
    EXPECT_EQ(bitmap_.GetWidth(), 0);
    BITMAP info{};
    EXPECT_EQ(::GetObjectW(handle, sizeof(info), &info), static_cast<int>(sizeof(info)));  // still alive
    EXPECT_EQ(info.bmWidth, 100);
    ::DeleteObject(handle);
}

TEST_F(GdiBitmapTest, ClearAlphaSetsEveryByteInsideTheBitmapOnly) {
    struct Case {
        RECT dirty;
        POINT touched, untouched;
    } const cases[] = {
        {{10, 10, 20, 20}, {10, 10}, {20, 20}},
        {{-5, -5, 3, 3}, {0, 0}, {3, 0}},        // partly outside: the inside part
        {{95, 95, 200, 200}, {99, 99}, {94, 99}},
        {{50, 0, 50, 100}, {-1, -1}, {50, 0}},   // clamped left not below right: nothing
        {{120, 0, 150, 100}, {-1, -1}, {99, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dirty.left);
        Fill(0x11);
        bitmap_.ClearAlpha(c.dirty, 0x1A7);  // the low byte counts
        if (c.touched.x >= 0) {
            const BYTE* p = PixelAt(c.touched.x, c.touched.y);
            EXPECT_EQ(p[0], 0xA7);
            EXPECT_EQ(p[1], 0xA7);
            EXPECT_EQ(p[2], 0xA7);
            EXPECT_EQ(p[3], 0xA7);
        }
        EXPECT_EQ(PixelAt(c.untouched.x, c.untouched.y)[3], 0x11);
    }
}

TEST_F(GdiBitmapTest, RestoreAlphaMakesKeyTransparentAndTheRestOpaque) {
    Fill(7);
    PixelAt(30, 30)[3] = 99;  // drawn over by GDI
    bitmap_.RestoreAlpha(RECT{0, 0, 100, 100}, RECT{10, 10, 10, 10}, 7);
    EXPECT_EQ(PixelAt(50, 50)[3], 0);    // untouched: the key becomes transparent
    EXPECT_EQ(PixelAt(30, 30)[3], 255);  // drawn: opaque
    EXPECT_EQ(PixelAt(5, 50)[3], 0);     // in the left band, not a corner: treated
    EXPECT_EQ(PixelAt(5, 5)[3], 7);      // shadow corners keep their alpha
    EXPECT_EQ(PixelAt(95, 95)[3], 7);
    EXPECT_EQ(PixelAt(95, 5)[3], 7);
    EXPECT_EQ(PixelAt(50, 50)[0], 7);    // colour bytes stay

    Fill(7);
    bitmap_.RestoreAlpha(RECT{-10, -10, 20, 20}, RECT{}, 0);  // key 0: every treated pixel opaque
    EXPECT_EQ(PixelAt(0, 0)[3], 255);
    EXPECT_EQ(PixelAt(19, 19)[3], 255);
    EXPECT_EQ(PixelAt(20, 20)[3], 7);  // outside the dirty rectangle
}

TEST_F(GdiBitmapTest, BottomUpRowsAreAddressedFromTheTop) {
    ASSERT_TRUE(bitmap_.Init(dc_.Get(), 4, 4, false));
    std::memset(bitmap_.GetBits(), 0, 4 * 4 * 4);
    bitmap_.ClearAlpha(RECT{0, 0, 4, 1}, 9);  // the top row is the last in memory
    const BYTE* bits = static_cast<const BYTE*>(bitmap_.GetBits());
    EXPECT_EQ(bits[3 * 16 + 3], 9);
    EXPECT_EQ(bits[3], 0);
}

}  // namespace
}  // namespace ui
