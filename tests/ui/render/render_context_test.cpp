#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/render/render_fixture.h"
#include "tests/ui/render/test_images.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/render/auto_clip.h"
#include "ui/render/brush.h"
#include "ui/render/path.h"
#include "ui/render/pen.h"
#include "ui/render/render_factory.h"

namespace ui_test {
namespace {

using C = NinePartColors;

class RenderContextTest : public RenderFixture {
protected:
    DWORD Argb(int x, int y) { return At(x, y).Argb(); }
};

TEST_F(RenderContextTest, ResizeKeepsPixelsAtTheSameSize) {
    context_->DrawColor(RECT{0, 0, 4, 4}, 0xFF102030);
    EXPECT_FALSE(context_->Resize(width_, height_));
    EXPECT_EQ(Argb(1, 1), 0xFF102030u);
    EXPECT_TRUE(context_->Resize(20, 10));
    EXPECT_EQ(context_->GetWidth(), 20);
    EXPECT_EQ(context_->GetHeight(), 10);
    EXPECT_FALSE(context_->Resize(0, 5));  // refused: no pixels left
    EXPECT_EQ(context_->GetBits(), nullptr);
    EXPECT_EQ(context_->GetWidth(), 0);
}

TEST_F(RenderContextTest, DetachBitmapHandsOverTheSection) {
    std::unique_ptr<ui::IRenderContext> fresh(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    EXPECT_EQ(fresh->DetachBitmap(), nullptr);  // nothing before the first Resize

    context_->DrawColor(RECT{0, 0, 4, 4}, 0xFF102030);
    ui::ScopedBitmap detached(context_->DetachBitmap());
    ASSERT_TRUE(detached);
    EXPECT_EQ(context_->GetBits(), nullptr);
    EXPECT_EQ(context_->GetWidth(), 0);
    ui::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    ui::ScopedSelectObject selected(dc.Get(), detached.Get());
    EXPECT_EQ(::GetPixel(dc.Get(), 1, 1) & 0xFFFFFF, 0x302010u);  // COLORREF is BGR
    EXPECT_TRUE(context_->Resize(8, 8));                           // usable again
}

TEST_F(RenderContextTest, CloneCopiesThePixels) {
    context_->DrawColor(RECT{10, 10, 20, 20}, 0xFF405060);
    std::unique_ptr<ui::IRenderContext> copy(context_->Clone());
    EXPECT_EQ(copy->GetWidth(), width_);
    EXPECT_EQ(PixelAt(*copy, 15, 15).Argb(), 0xFF405060u);
    EXPECT_EQ(PixelAt(*copy, 5, 5).Argb(), 0u);
}

TEST_F(RenderContextTest, ClearAlphaThenRestoreAlphaAroundGdiDrawing) {
    context_->ClearAlpha(RECT{-10, -10, 40, 40}, 7);  // partly outside: the inside part
    EXPECT_EQ(Argb(0, 0), 0x07070707u);
    EXPECT_EQ(Argb(39, 39), 0x07070707u);
    EXPECT_EQ(Argb(40, 40), 0u);

    RECT drawn{10, 10, 20, 20};
    ::FillRect(context_->GetDC(), &drawn, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));  // GDI: alpha 0
    context_->RestoreAlpha(RECT{0, 0, 40, 40}, RECT{5, 5, 5, 5}, 7);
    EXPECT_EQ(At(15, 15).a, 255);  // drawn by GDI: opaque
    EXPECT_EQ(At(30, 30).a, 0);    // untouched key: transparent
    EXPECT_EQ(At(2, 2).a, 7);      // the shadow's corner keeps its alpha
    EXPECT_EQ(At(2, 30).a, 0);     // the band beside it is treated
}

TEST_F(RenderContextTest, DrawColorFadesAlphaOnly) {
    context_->DrawColor(RECT{0, 0, 10, 10}, 0xFF804020, 255);
    context_->DrawColor(RECT{10, 0, 20, 10}, 0xFF804020, 128);
    context_->DrawColor(RECT{20, 0, 30, 10}, 0xFF804020, 0);
    EXPECT_EQ(Argb(5, 5), 0xFF804020u);
    const Pixel faded = At(15, 5);
    EXPECT_EQ(faded.a, 128);
    EXPECT_NEAR(faded.r, 0x80 * 128 / 255, 1);  // stored premultiplied
    EXPECT_EQ(Argb(25, 5), 0u);
    EXPECT_EQ(Argb(10, 10), 0u);  // right and bottom edges excluded
}

TEST_F(RenderContextTest, DrawColorByNameUsesTheColourTable) {
    ui::GlobalManager::AddTextColor(L"render_test_teal", L"#FF008080");
    context_->DrawColor(RECT{0, 0, 10, 10}, L"render_test_teal");
    context_->DrawColor(RECT{10, 0, 20, 10}, L"render_test_unknown");  // colour 0: invisible
    context_->DrawColor(RECT{20, 0, 30, 10}, L"");
    EXPECT_EQ(Argb(5, 5), 0xFF008080u);
    EXPECT_EQ(Argb(15, 5), 0u);
}

TEST_F(RenderContextTest, ClipsAndWindowOriginReachColourFills) {
    {
        ui::AutoClip outer(context_.get(), RECT{0, 0, 40, 40});
        ui::AutoClip inner(context_.get(), RECT{20, 20, 60, 60});
        context_->DrawColor(RECT{0, 0, 64, 64}, 0xFF0000FF);
    }
    EXPECT_EQ(Argb(30, 30), 0xFF0000FFu);
    EXPECT_EQ(Argb(10, 10), 0u);
    EXPECT_EQ(Argb(50, 50), 0u);
    context_->DrawColor(RECT{60, 0, 64, 4}, 0xFF00FF00);  // every clip cleared again
    EXPECT_EQ(Argb(62, 2), 0xFF00FF00u);

    const POINT old = context_->OffsetWindowOrg(POINT{100, 0});
    EXPECT_EQ(old.x, 0);
    context_->DrawColor(RECT{100, 50, 104, 54}, 0xFFFF0000);  // logical 100 is device 0
    EXPECT_EQ(context_->SetWindowOrg(old).x, 100);
    EXPECT_EQ(Argb(2, 52), 0xFFFF0000u);
}

TEST_F(RenderContextTest, RoundClipAndOriginReachColoursImagesAndShapes) {
    const auto image = MakeNinePartImage();
    {
        ui::AutoClip round(context_.get(), RECT{0, 0, 40, 40}, 20, 20, true);
        const POINT old = context_->OffsetWindowOrg(POINT{100, 0});
        context_->DrawColor(RECT{100, 0, 140, 20}, 0xFF0000FF);
        context_->DrawImage(RECT{100, 0, 140, 40}, image.get(), RECT{100, 20, 140, 40}, RECT{0, 0, 30, 30}, RECT{});
        context_->SetWindowOrg(old);
    }
    EXPECT_EQ(Argb(20, 5), 0xFF0000FFu);
    EXPECT_EQ(Argb(20, 35), C::kBottom);  // the image squeezed into the lower half
    EXPECT_EQ(At(1, 1).a, 0);             // both corners rounded away
    EXPECT_EQ(At(1, 38).a, 0);
    EXPECT_EQ(At(45, 5).a, 0);

    {
        ui::AutoClip clip(context_.get(), RECT{44, 0, 64, 64});
        const POINT old = context_->OffsetWindowOrg(POINT{0, 100});
        context_->FillEllipse(RECT{34, 100, 64, 130}, 0xFF00FF00);
        context_->SetWindowOrg(old);
    }
    EXPECT_EQ(Argb(49, 15), 0xFF00FF00u);
    EXPECT_EQ(At(40, 15).a, 0);  // inside the ellipse, outside the clip

    // GDI's drawing is in the pixels before a colour is blended over it.
    RECT gdi{0, 44, 20, 64};
    ::FillRect(context_->GetDC(), &gdi, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    context_->DrawColor(gdi, 0x80FF0000);
    EXPECT_EQ(Argb(10, 54), 0x80FF7F7Fu);
}

// Region centres and pixels near each border of a nine-part drawing into dest with the given
// corner size in destination pixels, right at the borders. GDI leaves alpha
// undefined where it stretches, so `rgbOnly` compares the colour alone.
void ExpectNineParts(RenderContextTest& test, const RECT& d, int corner, bool rgbOnly) {
    struct Probe {
        int x, y;
        DWORD color;
    };
    const int l = d.left, t = d.top, r = d.right - 1, b = d.bottom - 1;
    const int ml = d.left + corner, mt = d.top + corner, mr = d.right - corner - 1, mb = d.bottom - corner - 1;
    const int cx = (d.left + d.right) / 2, cy = (d.top + d.bottom) / 2;
    const Probe probes[] = {
        {l, t, C::kTopLeft},
        {ml - 1, mt - 1, C::kTopLeft},
        {cx, t, C::kTop},
        {r, t, C::kTopRight},
        {mr + 1, mt - 1, C::kTopRight},
        {l, cy, C::kLeft},
        {ml - 1, cy, C::kLeft},
        {r, cy, C::kRight},
        {mr + 1, cy, C::kRight},
        {l, b, C::kBottomLeft},
        {cx, b, C::kBottom},
        {r, b, C::kBottomRight},
        {ml, mt, C::kMiddle},
        {mr, mb, C::kMiddleRight},
    };
    const DWORD mask = rgbOnly ? 0x00FFFFFF : 0xFFFFFFFF;
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << "pixel " << p.x << "," << p.y);
        EXPECT_EQ(test.At(p.x, p.y).Argb() & mask, p.color & mask);
    }
}

class NinePartTest : public RenderContextTest {
protected:
    void TearDown() override {
        ui::DpiManager::GetInstance()->SetAdaptDPI(false);
        ui::DpiManager::GetInstance()->SetScale(100);
        RenderContextTest::TearDown();
    }
    void UseDpi(int percent) {
        ui::DpiManager::GetInstance()->SetAdaptDPI(true);
        ui::DpiManager::GetInstance()->SetScale(percent);
    }
    const RECT paint_{0, 0, 64, 64};
    const RECT source_{0, 0, 30, 30};
    const RECT corners_{10, 10, 10, 10};
};

TEST_F(NinePartTest, GdiBitmapCornersStayAndEdgesStretch) {
    const ui::ScopedBitmap bitmap = MakeNinePartBitmap();
    const RECT dest{2, 4, 62, 60};
    context_->DrawImage(paint_, bitmap.Get(), false, dest, source_, corners_);
    ExpectNineParts(*this, dest, 10, true);
    EXPECT_EQ(Argb(1, 4), 0u);  // nothing outside the destination
}

TEST_F(NinePartTest, GdiplusImageCornersScaleWithDpi) {
    UseDpi(150);
    const auto image = MakeNinePartImage();
    const RECT dest{0, 0, 64, 60};
    context_->DrawImage(paint_, image.get(), dest, source_, corners_);
    // Right at the part borders too: a stretched part neither leaves a seam nor takes colour
    // from the source beyond it.
    ExpectNineParts(*this, dest, 15, false);
}

TEST_F(NinePartTest, GdiBitmapCornersScaleWithDpi) {
    UseDpi(150);
    const ui::ScopedBitmap bitmap = MakeNinePartBitmap();
    const RECT dest{0, 0, 64, 60};
    context_->DrawImage(paint_, bitmap.Get(), true, dest, source_, corners_);
    ExpectNineParts(*this, dest, 15, false);
}

TEST_F(NinePartTest, NothingWhenTheDestinationMissesThePaintRectangle) {
    const ui::ScopedBitmap bitmap = MakeNinePartBitmap();
    const auto image = MakeNinePartImage();
    context_->DrawImage(RECT{0, 0, 10, 10}, bitmap.Get(), false, RECT{20, 20, 60, 60}, source_, corners_);
    context_->DrawImage(RECT{0, 0, 10, 10}, image.get(), RECT{20, 20, 60, 60}, source_, corners_);
    context_->DrawImage(paint_, static_cast<HBITMAP>(nullptr), false, RECT{20, 20, 60, 60}, source_, corners_);
    context_->DrawImage(paint_, static_cast<Gdiplus::Image*>(nullptr), RECT{20, 20, 60, 60}, source_, corners_);
    EXPECT_TRUE(AllPixels(RECT{0, 0, 64, 64}, [](const Pixel& p) { return p.a == 0; }));
}

TEST_F(NinePartTest, TiledMiddleRepeatsTheSourceAndCutsTheLastTile) {
    // Middle 25 pixels wide from a 10-pixel source middle: tiles at 10, 20 and 30 (5 wide).
    const ui::ScopedBitmap bitmap = MakeNinePartBitmap();
    const auto image = MakeNinePartImage();
    context_->DrawImage(paint_, bitmap.Get(), false, RECT{0, 0, 45, 30}, source_, corners_, 255, true);
    context_->DrawImage(paint_, image.get(), RECT{0, 32, 45, 62}, source_, corners_, 255, true);
    for (const int top : {10, 42}) {
        SCOPED_TRACE(top);
        const struct {
            int x;
            DWORD color;
        } columns[] = {{10, C::kMiddle},     {15, C::kMiddleRight}, {19, C::kMiddleRight}, {20, C::kMiddle},
                       {25, C::kMiddleRight}, {30, C::kMiddle},     {34, C::kMiddle},      {35, C::kRight}};
        for (const auto& column : columns) {
            SCOPED_TRACE(column.x);
            EXPECT_EQ(Argb(column.x, top + 5), column.color);
        }
    }
}

TEST_F(NinePartTest, FadeScalesAlphaInBothDrawings) {
    const ui::ScopedBitmap bitmap = MakeNinePartBitmap();
    const auto image = MakeNinePartImage();
    context_->DrawImage(paint_, bitmap.Get(), false, RECT{0, 0, 30, 30}, source_, RECT{}, 128);
    context_->DrawImage(paint_, image.get(), RECT{32, 0, 62, 30}, source_, RECT{}, 128);  // colour matrix
    for (const int x : {5, 37}) {
        SCOPED_TRACE(x);
        const Pixel topLeft = At(x, 5);
        EXPECT_NEAR(topLeft.a, 128, 2);
        EXPECT_NEAR(topLeft.r, 128, 2);  // red 255 premultiplied by about a half
        EXPECT_EQ(topLeft.g, 0);
    }
}

// A 2 x 2 source of half-transparent red tells the two copies apart over white: a blend
// brightens green, an opaque stretch copies the stored bytes.
DWORD HalfRed(int, int) { return 0x80FF0000; }

TEST_F(NinePartTest, OpaqueStretchOnlyWhenNothingNeedsBlending) {
    const ui::ScopedBitmap bitmap = MakeBitmap(2, 2, HalfRed);
    context_->DrawColor(paint_, 0xFFFFFFFF);
    const RECT source{0, 0, 2, 2};
    context_->DrawImage(paint_, bitmap.Get(), false, RECT{0, 0, 2, 2}, source, RECT{});  // same size: blend
    context_->DrawImage(paint_, bitmap.Get(), false, RECT{10, 0, 14, 4}, source, RECT{});  // stretch: copy
    context_->SetRenderTransparent(true);
    context_->DrawImage(paint_, bitmap.Get(), false, RECT{20, 0, 24, 4}, source, RECT{});  // blend
    EXPECT_TRUE(context_->SetRenderTransparent(false));
    EXPECT_NEAR(At(1, 1).g, 127, 2);
    EXPECT_EQ(At(11, 1).g, 0);
    EXPECT_EQ(At(11, 1).r, 128);
    EXPECT_NEAR(At(21, 1).g, 127, 2);
}

TEST_F(RenderContextTest, LinesAndShapesLandRoughlyWhereAsked) {
    context_->DrawRect(RECT{10, 10, 30, 30}, 1, 0xFFFF0000);
    context_->DrawLine(RECT{5, 40, 55, 40}, 1, 0xFF00FF00);
    context_->DrawRoundRect(RECT{34, 4, 60, 30}, SIZE{12, 12}, 1, 0xFF0000FF);
    EXPECT_GT(At(10, 20).r, 0);  // left side of the rectangle
    EXPECT_GT(At(20, 30).r, 0);  // bottom side
    EXPECT_EQ(At(20, 20).a, 0);  // outlines only
    EXPECT_GT(At(30, 40).g, 0);
    EXPECT_EQ(At(30, 43).a, 0);
    EXPECT_GT(At(47, 4).b, 0);   // top edge of the rounded rectangle
    EXPECT_EQ(At(34, 4).a, 0);   // its corner is rounded away
    EXPECT_GT(At(60, 17).b, 0);  // right edge

    context_->FillEllipse(RECT{4, 44, 24, 64}, 0xFF00FFFF);
    context_->DrawEllipse(RECT{30, 44, 50, 64}, 2, 0xFFFF00FF);
    EXPECT_EQ(Argb(14, 54), 0xFF00FFFFu);
    EXPECT_EQ(At(5, 45).a, 0);
    EXPECT_GT(At(30, 54).a, 0);
    EXPECT_EQ(At(40, 54).a, 0);
}

TEST_F(RenderContextTest, PensBrushesAndPathsDraw) {
    ui::IRenderFactory* factory = ui::GlobalManager::GetRenderFactory();
    std::unique_ptr<ui::IPen> pen(factory->CreatePen(0xFFFF0000, 3));
    std::unique_ptr<ui::IBrush> brush(factory->CreateBrush(0xFF00FF00));
    std::unique_ptr<ui::IPath> path(factory->CreatePath());
    path->AddRect(10, 10, 30, 30);
    context_->FillPath(path.get(), brush.get());
    context_->DrawPath(path.get(), pen.get());
    context_->DrawLine(pen.get(), 40, 5, 60, 5);
    context_->DrawBezier(pen.get(), 40, 60, 45, 40, 55, 40, 60, 60);
    context_->DrawPath(path.get(), nullptr);
    context_->FillPath(nullptr, brush.get());
    EXPECT_EQ(Argb(20, 20), 0xFF00FF00u);
    EXPECT_EQ(Argb(10, 20), 0xFFFF0000u);
    EXPECT_GT(At(50, 5).r, 0);
    EXPECT_EQ(At(50, 9).a, 0);
    EXPECT_GT(At(50, 45).r + At(50, 46).r, 0);  // the curve's top

    const ui::ScopedBitmap texture = MakeNinePartBitmap();
    std::unique_ptr<ui::IBrush> textured(factory->CreateBrush(texture.Get()));
    std::unique_ptr<ui::IPath> square(factory->CreatePath());
    square->AddRect(0, 34, 30, 64);
    context_->FillPath(square.get(), textured.get());
    EXPECT_EQ(Argb(2, 36) & 0xFFFFFF, C::kTopLeft & 0xFFFFFF);  // the texture starts at the origin, tiled
    EXPECT_EQ(Argb(15, 45) & 0xFFFFFF, C::kMiddleRight & 0xFFFFFF);
}

}  // namespace
}  // namespace ui_test
