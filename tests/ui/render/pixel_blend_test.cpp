// The direct fills and scaled blends of premultiplied pixels, on plain memory.
#include "ui/render/pixel_blend.h"

#include <gtest/gtest.h>

#include <vector>

namespace ui {
namespace {

// Premultiplied pixels in memory, top-down or bottom-up.
class Pixels {
public:
    Pixels(int width, int height, DWORD fill = 0, bool topDown = true)
        : width_(width), memory_(static_cast<std::size_t>(width) * height, fill) {
        const auto rowBytes = static_cast<std::ptrdiff_t>(width) * 4;
        auto* first = reinterpret_cast<BYTE*>(memory_.data());
        rows_ = topDown ? PixelRows{first, rowBytes, width, height}
                        : PixelRows{first + rowBytes * (height - 1), -rowBytes, width, height};
    }
    // Pixel (x, y) counted from the top, whichever way the rows run.
    DWORD& At(int x, int y) { return *reinterpret_cast<DWORD*>(rows_.top + rows_.stride * y + x * 4); }
    const PixelRows& Rows() const { return rows_; }

private:
    int width_;
    std::vector<DWORD> memory_;
    PixelRows rows_;
};

TEST(FillSolid, StoresPremultipliedAndBlendsOverWhatIsThere) {
    struct Case {
        DWORD below, color, want;
    } const cases[] = {
        {0x00000000, 0xFF804020, 0xFF804020},  // opaque: stored as is
        {0x00000000, 0x80FF0000, 0x80800000},  // half red over nothing: premultiplied
        {0xFF0000FF, 0x80FF0000, 0xFF80007F},  // half red over blue
        {0x00FFFFFF, 0x80FF0000, 0x80FF7F7F},  // over GDI's colour without alpha: capped, no carry
        {0xFF102030, 0x00FFFFFF, 0xFF102030},  // transparent: nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.color << " over " << c.below);
        Pixels pixels(4, 4, c.below);
        FillSolid(pixels.Rows(), RECT{0, 0, 4, 4}, c.color);
        EXPECT_EQ(pixels.At(2, 2), c.want);
    }
}

TEST(FillSolid, StaysInsideTheAreaAndThePixels) {
    for (const bool topDown : {true, false}) {
        SCOPED_TRACE(topDown);
        Pixels pixels(8, 8, 0, topDown);
        FillSolid(pixels.Rows(), RECT{-5, 6, 3, 20}, 0xFF00FF00);  // sticks out left and below
        EXPECT_EQ(pixels.At(0, 6), 0xFF00FF00u);
        EXPECT_EQ(pixels.At(2, 7), 0xFF00FF00u);
        EXPECT_EQ(pixels.At(3, 7), 0u);  // right edge excluded
        EXPECT_EQ(pixels.At(0, 5), 0u);
        FillSolid(PixelRows{}, RECT{0, 0, 8, 8}, 0xFF00FF00);  // no pixels: nothing happens
    }
}

// A 2 x 1 source, black then white, in the middle of a red frame that must never be sampled.
class BlendScaledTest : public ::testing::Test {
protected:
    BlendScaledTest() : source_(4, 3, 0xFFFF0000) {
        source_.At(1, 1) = 0xFF000000;
        source_.At(2, 1) = 0xFFFFFFFF;
    }
    static BYTE Green(DWORD pixel) { return static_cast<BYTE>(pixel >> 8); }

    Pixels source_;
    const RECT inner_{1, 1, 3, 2};
};

TEST_F(BlendScaledTest, StretchInterpolatesAndClampsToTheSourceRectangle) {
    Pixels target(8, 2);
    BlendScaled(target.Rows(), RECT{0, 0, 8, 2}, RECT{0, 0, 8, 2}, source_.Rows(), inner_, 255);
    // Ends take the end pixels exactly: no seam of the frame, nothing left unpainted.
    EXPECT_EQ(target.At(0, 0), 0xFF000000u);
    EXPECT_EQ(target.At(7, 1), 0xFFFFFFFFu);
    for (int x = 0; x < 8; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(target.At(x, 0) >> 24, 0xFFu);
        EXPECT_EQ(target.At(x, 0) & 0xFF0000, static_cast<DWORD>(Green(target.At(x, 0))) << 16);  // grey: no red
        if (x > 0) {
            EXPECT_GE(Green(target.At(x, 0)), Green(target.At(x - 1, 0)));
        }
    }
    EXPECT_GT(Green(target.At(4, 0)), 0x40);
    EXPECT_LT(Green(target.At(4, 0)), 0xC0);
}

TEST_F(BlendScaledTest, SameSizeCopiesVisiblePartWithFadeOverTheTarget) {
    Pixels target(4, 1, 0xFF0000FF);
    BlendScaled(target.Rows(), RECT{1, 0, 3, 1}, RECT{2, 0, 4, 1}, source_.Rows(), inner_, 128);
    EXPECT_EQ(target.At(1, 0), 0xFF0000FFu);  // outside the visible part
    EXPECT_EQ(target.At(2, 0), 0xFF8080FFu);  // half white over blue
    EXPECT_EQ(target.At(3, 0), 0xFF0000FFu);  // outside the destination
}

TEST_F(BlendScaledTest, UniformSourceAndRefusedRectangles) {
    Pixels target(6, 6);
    BlendScaled(target.Rows(), RECT{0, 0, 6, 6}, RECT{0, 0, 6, 6}, source_.Rows(), RECT{0, 0, 4, 1}, 255);
    EXPECT_EQ(target.At(5, 5), 0xFFFF0000u);  // one colour stretched
    Pixels untouched(6, 6);
    const RECT refused[] = {{-1, 0, 2, 1}, {0, 0, 5, 3}, {2, 2, 2, 3}};  // outside the source, or empty
    for (const RECT& from : refused) {
        BlendScaled(untouched.Rows(), RECT{0, 0, 6, 6}, RECT{0, 0, 6, 6}, source_.Rows(), from, 255);
    }
    BlendScaled(untouched.Rows(), RECT{0, 0, 6, 6}, RECT{0, 0, 6, 6}, source_.Rows(), inner_, 0);
    EXPECT_EQ(untouched.At(0, 0), 0u);
    EXPECT_EQ(untouched.At(5, 5), 0u);
}

// GDI's text over a field leaves alpha 0 on its pixels; they get the alpha they had back.
TEST(RestoreGdiAlpha, GivesWrittenPixelsTheirAlphaBack) {
    struct Case {
        DWORD before, afterGdi, want;
    } const cases[] = {
        {0xFFFFFFFF, 0x00000000, 0xFF000000},  // black text on white: opaque again
        {0xFFFFFFFF, 0x00404040, 0xFF404040},  // a smoothed edge
        {0x80808080, 0x00FFFFFF, 0x80808080},  // white over a half-transparent pixel: capped by its alpha
        {0x00000000, 0x00202020, 0x00202020},  // over nothing: stays as it was drawn
        {0xFF102030, 0xFF102030, 0xFF102030},  // untouched
    };
    for (const Case& c : cases) {
        Pixels pixels(3, 2, c.before);
        const RECT area{1, 0, 3, 2};
        const std::vector<BYTE> alpha = ReadAlpha(pixels.Rows(), area);
        pixels.At(2, 1) = c.afterGdi;
        pixels.At(0, 1) = c.afterGdi;  // outside the area: left alone
        RestoreGdiAlpha(pixels.Rows(), area, alpha);
        EXPECT_EQ(pixels.At(2, 1), c.want) << std::hex << c.before << " " << c.afterGdi;
        EXPECT_EQ(pixels.At(0, 1), c.afterGdi);
        EXPECT_EQ(pixels.At(1, 0), c.before);
    }
    Pixels pixels(2, 2, 0xFFFFFFFF);
    const std::vector<BYTE> alpha = ReadAlpha(pixels.Rows(), RECT{-5, -5, 9, 9});  // clipped to the pixels
    EXPECT_EQ(alpha.size(), 4u);
    pixels.At(1, 1) = 0;
    RestoreGdiAlpha(pixels.Rows(), RECT{0, 0, 1, 1}, alpha);  // a record of another area does nothing
    EXPECT_EQ(pixels.At(1, 1), 0u);
}

}  // namespace
}  // namespace ui
