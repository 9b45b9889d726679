#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/text_anti_alias.h"
#include "tests/ui/render/render_fixture.h"
#include "tests/ui/support/rect_compare.h"
#include "ui/global_manager.h"
#include "ui/render/brush.h"
#include "ui/render/path.h"
#include "ui/render/render_factory.h"
#include "ui/render/text_effect.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/text_effect_gdiplus.h"

namespace ui_test {
namespace {

constexpr wchar_t kFont[] = L"render_text_test";

class RenderTextTest : public RenderFixture {
protected:
    void SetUp() override {
        width_ = 160;
        RenderFixture::SetUp();
        ASSERT_NE(ui::GlobalManager::AddFont(kFont, L"Tahoma", 20, false, false, false, false), nullptr);
    }

    // The highest alpha drawn, and the painted columns' extent, over the whole context.
    BYTE MaxAlpha() {
        BYTE most = 0;
        ForEachPixel([&](int, int, const Pixel& p) { most = std::max(most, p.a); });
        return most;
    }
    RECT PaintedBounds() {
        RECT bounds{width_, height_, -1, -1};
        ForEachPixel([&](int x, int y, const Pixel& p) {
            if (p.a < 64) return;
            bounds = RECT{std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x), std::max<LONG>(bounds.bottom, y)};
        });
        return bounds;
    }
    // Whether some pixel's stored colour is mostly the given channel (0 blue, 1 green, 2 red).
    bool SomePixelLeansTo(int channel) {
        bool found = false;
        ForEachPixel([&](int, int, const Pixel& p) {
            const int c[3] = {p.b, p.g, p.r};
            if (p.a > 128 && c[channel] > 160 && c[(channel + 1) % 3] < 60 && c[(channel + 2) % 3] < 60) found = true;
        });
        return found;
    }
    template <class F>
    void ForEachPixel(F f) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) f(x, y, At(x, y));
        }
    }
    std::unique_ptr<ui::ITextEffect> MakeEffect() {
        return std::unique_ptr<ui::ITextEffect>(ui::GlobalManager::GetRenderFactory()->CreateTextEffect());
    }

    const RECT box_{4, 4, 156, 60};
};

TEST_F(RenderTextTest, TextIsNeverDrawnFullyOpaque) {
    context_->DrawText(box_, L"HHHH", 0xFF0000FF, kFont, 0);
    EXPECT_EQ(MaxAlpha(), 254);
    bool textColour = false;
    ForEachPixel([&](int, int, const Pixel& p) { textColour |= p == Pixel{254, 0, 0, 254}; });
    EXPECT_TRUE(textColour);

    context_->Clear();
    context_->DrawText(box_, L"HHHH", 0x800000FF, kFont, 0);
    EXPECT_EQ(MaxAlpha(), 128);
}

TEST_F(RenderTextTest, NothingDrawnWithoutTextFontOrOpacity) {
    context_->DrawText(box_, L"HHHH", 0xFF0000FF, kFont, 0, BYTE{0});
    context_->DrawText(box_, L"", 0xFF0000FF, kFont, 0);
    context_->DrawText(box_, L"HHHH", 0xFF0000FF, L"render_text_no_such_font", 0);
    context_->DrawText(box_, L"HHHH", 0xFF0000FF, L"render_text_no_such_font", 0, MakeEffect().get());
    context_->DrawText(box_, L"HHHH", 0xFF0000FF, kFont, 0, static_cast<ui::ITextEffect*>(nullptr));
    EXPECT_EQ(MaxAlpha(), 0);
}

TEST_F(RenderTextTest, StyleBitsAlignTheText) {
    context_->DrawText(box_, L"HH", 0xFF000000, kFont, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    const RECT farBox = PaintedBounds();
    EXPECT_GT(farBox.left, 100);
    EXPECT_GT(farBox.top, 30);

    context_->Clear();
    context_->DrawText(box_, L"HH", 0xFF000000, kFont, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const RECT centred = PaintedBounds();
    EXPECT_NEAR((centred.left + centred.right) / 2, 80, 4);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 32, 5);

    SetTextAntiAliasEnabled(true);
    context_->Clear();
    context_->DrawText(box_, L"HH", 0xFF000000, kFont, 0);
    SetTextAntiAliasEnabled(false);
    EXPECT_LT(PaintedBounds().left, 10);
}

TEST_F(RenderTextTest, MeasureText) {
    EXPECT_EQ(context_->MeasureText(L"HH", L"render_text_no_such_font", 0), (RECT{0, 0, 1, 1}));

    const RECT one = context_->MeasureText(L"HH", kFont, 0);
    EXPECT_GT(one.right, 1);
    EXPECT_GT(one.bottom, 1);
    const RECT threeLines = context_->MeasureText(L"HH\nHH\nHH", kFont, DT_SINGLELINE);
    EXPECT_GT(threeLines.bottom, 2 * one.bottom);  // width -1: no single-line height rule
    const RECT limited = context_->MeasureText(L"HH\nHH\nHH", kFont, DT_SINGLELINE, 200);
    EXPECT_LT(limited.bottom, 2 * one.bottom);  // a width: one line of the sample text
    EXPECT_GE(limited.bottom, one.bottom - 2);
}

TEST(OutlineColors, SplitOrRunFromFirstToSecond) {
    const std::vector<DWORD> split = ui::MakeOutlineColors(0xFFFF0000, 0xFF0000FF, 5, false);
    EXPECT_EQ(split, (std::vector<DWORD>{0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}));
    EXPECT_EQ(ui::MakeOutlineColors(0x80FF0000, 0x800000FF, 1, false), std::vector<DWORD>{0x800000FF});

    ui::GlobalManager::StartupRender();
    const std::vector<DWORD> gradient = ui::MakeOutlineColors(0x80FF0000, 0x800000FF, 3, true);
    ASSERT_EQ(gradient.size(), 3u);
    for (DWORD c : gradient) EXPECT_EQ(c >> 24, 0xFFu);  // opaque whatever the inputs
    EXPECT_GT((gradient.front() >> 16) & 0xFF, 0xA0u);   // close to red
    EXPECT_GT(gradient.back() & 0xFF, 0xA0u);            // close to blue

    // A strip of no pixels cannot be made: no strokes at all.
    for (const int width : {0, -3}) {
        EXPECT_TRUE(ui::MakeOutlineColors(0xFFFF0000, 0xFF0000FF, width, true).empty());
        EXPECT_TRUE(ui::MakeOutlineColors(0xFFFF0000, 0xFF0000FF, width, false).empty());
    }
}

TEST_F(RenderTextTest, EffectStrokesWidestLastColourFirst) {
    auto effect = MakeEffect();
    effect->SetOutline(0xFFFF0000, 0xFF0000FF, 5, false);  // red inner strokes, blue outer ones
    context_->DrawText(box_, L"HH", 0xFF00FF00, kFont, 0, effect.get());
    EXPECT_TRUE(SomePixelLeansTo(0));  // blue around
    EXPECT_TRUE(SomePixelLeansTo(2));  // red drawn over it
    EXPECT_EQ(MaxAlpha(), 255);        // the effect is drawn as asked

    context_->Clear();
    effect->SetOutline(0xFFFF0000, 0xFF0000FF, 0, true);  // no strokes
    effect->SetFillGradient(0xFFFF0000, 0xFF0000FF, 0.3f, 0.3f);
    context_->DrawText(box_, L"HHHHHHHH", 0xFF00FF00, kFont, 0, effect.get());
    EXPECT_TRUE(SomePixelLeansTo(2));
    EXPECT_TRUE(SomePixelLeansTo(0));
    EXPECT_FALSE(SomePixelLeansTo(1));  // the fill colour argument gives way to the gradient
}

TEST_F(RenderTextTest, LetterSpacingSpreadsPiecesAndFollowsAlignment) {
    auto effect = MakeEffect();
    context_->DrawText(box_, L"HHH", 0xFF000000, kFont, 0, effect.get());
    const RECT tight = PaintedBounds();
    effect->SetLetterSpacing(10);
    EXPECT_EQ(effect->GetLetterSpacing(), 10);
    context_->Clear();
    context_->DrawText(box_, L"HHH", 0xFF000000, kFont, 0, effect.get());
    const RECT spaced = PaintedBounds();
    EXPECT_NEAR(spaced.left, tight.left, 2);
    EXPECT_NEAR(spaced.right - tight.right, 20, 3);  // two gaps of 10

    context_->Clear();
    context_->DrawText(box_, L"H H\nH", 0xFF000000, kFont, DT_RIGHT, effect.get());
    const RECT farBox = PaintedBounds();
    EXPECT_NEAR(farBox.right, box_.right, 3);  // the last piece ends at the right edge
    EXPECT_GT(farBox.bottom, 40);              // the second line below the first

    context_->Clear();
    context_->DrawText(box_, L"\x0628\x0627\x0644 \x0639\x0631\x0628\x064A", 0xFF000000, kFont, DT_RIGHT,
                       effect.get());
    EXPECT_GT(MaxAlpha(), 0);
}

// A sample of what the layer draws, for people to look at: render_sample.png beside the tests.
TEST_F(RenderTextTest, WritesASamplePicture) {
    std::unique_ptr<ui::IRenderContext> sample(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    ASSERT_TRUE(sample->Resize(320, 200));
    sample->Clear();
    sample->DrawColor(RECT{0, 0, 320, 200}, 0xFFF4F1EA);
    // A button-like nine-part image from a 30 x 30 rounded frame.
    std::unique_ptr<ui::IRenderContext> frame(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    ASSERT_TRUE(frame->Resize(30, 30));
    frame->Clear();
    {
        std::unique_ptr<ui::IBrush> fill(ui::GlobalManager::GetRenderFactory()->CreateBrush(0xFF3A7BD5));
        std::unique_ptr<ui::IPath> rounded(ui::GlobalManager::GetRenderFactory()->CreatePath());
        rounded->AddArc(0, 0, 16, 16, 180, 90);
        rounded->AddArc(13, 0, 16, 16, 270, 90);
        rounded->AddArc(13, 13, 16, 16, 0, 90);
        rounded->AddArc(0, 13, 16, 16, 90, 90);
        rounded->CloseFigure();
        frame->FillPath(rounded.get(), fill.get());
        frame->DrawColor(RECT{10, 10, 20, 20}, 0xFF5B9BEF);
    }
    // The controls' path: the same frame as a GDI+ image.
    Gdiplus::Bitmap frameImage(30, 30, 30 * 4, PixelFormat32bppPARGB, frame->GetBits());
    sample->DrawImage(RECT{0, 0, 320, 200}, &frameImage, RECT{160, 110, 310, 150}, RECT{0, 0, 30, 30},
                      RECT{10, 10, 10, 10});
    HBITMAP frameBitmap = frame->DetachBitmap();
    sample->DrawImage(RECT{0, 0, 320, 200}, frameBitmap, true, RECT{10, 10, 150, 50}, RECT{0, 0, 30, 30},
                      RECT{10, 10, 10, 10});
    sample->DrawText(RECT{10, 10, 150, 50}, L"Start game", 0xFFFFFFFF, kFont, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    // A tiled strip and a faded copy.
    sample->DrawImage(RECT{0, 0, 320, 200}, frameBitmap, true, RECT{160, 10, 310, 50}, RECT{0, 0, 30, 30},
                      RECT{10, 10, 10, 10}, 255, true, false);
    sample->DrawImage(RECT{0, 0, 320, 200}, frameBitmap, true, RECT{160, 60, 310, 100}, RECT{0, 0, 30, 30},
                      RECT{10, 10, 10, 10}, 110);
    ::DeleteObject(frameBitmap);
    // Border, round rectangle, ellipse, line.
    sample->DrawRect(RECT{10, 60, 150, 100}, 2, 0xFF444444);
    sample->DrawRoundRect(RECT{20, 110, 150, 150}, SIZE{16, 16}, 2, 0xFFD5533A);
    sample->FillEllipse(RECT{100, 115, 130, 145}, 0xC02E9E5B);
    sample->DrawLine(RECT{170, 170, 310, 170}, 3, 0xFF222222);
    // Decorated text: outline with a gradient, gradient fill, letter spacing.
    auto effect = MakeEffect();
    effect->SetOutline(0xFFFFFFFF, 0xFF1B2A4A, 4, true);
    effect->SetFillGradient(0xFFFFD75E, 0xFFE0662F, 1.0f, 1.0f);
    effect->SetLetterSpacing(2);
    SetTextAntiAliasEnabled(true);
    sample->DrawText(RECT{20, 155, 160, 195}, L"Tarvenor", 0xFF000000, kFont, 0, effect.get());
    SetTextAntiAliasEnabled(false);
    sample->DrawText(RECT{160, 60, 310, 100}, L"faded", 0xFF000000, kFont, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                     128);
    EXPECT_TRUE(WriteRenderContextPng(*sample, L"render_sample.png", 2));
}

}  // namespace
}  // namespace ui_test
