#include <gtest/gtest.h>

#include <memory>

#include "ui/global_manager.h"
#include "ui/render/auto_clip.h"
#include "ui/render/brush.h"
#include "ui/render/gdi_clip.h"
#include "ui/render/gdi_handles.h"
#include "ui/render/matrix.h"
#include "ui/render/matrix_gdiplus.h"
#include "ui/render/path.h"
#include "ui/render/pen.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"

namespace ui {
namespace {

class RenderObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlobalManager::StartupRender();
        factory_ = GlobalManager::GetRenderFactory();
        ASSERT_NE(factory_, nullptr);
    }
    IRenderFactory* factory_ = nullptr;
};

TEST_F(RenderObjectsTest, PenKeepsWidthColourAndStyles) {
    std::unique_ptr<IPen> pen(factory_->CreatePen(0xFF112233, 3));
    EXPECT_EQ(pen->GetWidth(), 3);
    pen->SetWidth(5);
    pen->SetColor(0x80FFFFFF);
    pen->SetDashStyle(2);
    pen->SetLineJoin(2);
    pen->SetStartCap(2);
    std::unique_ptr<IPen> copy(pen->Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetWidth(), 5);
    EXPECT_EQ(copy->GetColor(), 0x80FFFFFFu);
    EXPECT_EQ(copy->GetDashStyle(), 2);
    EXPECT_EQ(copy->GetLineJoin(), 2);
    EXPECT_EQ(copy->GetStartCap(), 2);
}

TEST_F(RenderObjectsTest, BrushesCarryNoBitmapObject) {
    std::unique_ptr<IBrush> solid(factory_->CreateBrush(0xFF00FF00));
    EXPECT_EQ(solid->GetColor(), 0xFF00FF00u);
    EXPECT_EQ(solid->GetBitmap(), nullptr);
    std::unique_ptr<IBrush> copy(solid->Clone());
    EXPECT_EQ(copy->GetColor(), 0xFF00FF00u);

    ScopedBitmap bitmap(::CreateBitmap(4, 4, 1, 32, nullptr));
    std::unique_ptr<IBrush> texture(factory_->CreateBrush(bitmap.Get()));
    EXPECT_EQ(texture->GetColor(), 0u);
    EXPECT_EQ(texture->GetBitmap(), nullptr);
}

TEST_F(RenderObjectsTest, PathBoundsHitsAndTransform) {
    std::unique_ptr<IPath> path(factory_->CreatePath());
    path->AddRect(10, 10, 30, 20);
    const RECT bounds = path->GetBound(nullptr);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 10);
    EXPECT_EQ(bounds.right, 30);
    EXPECT_EQ(bounds.bottom, 20);
    EXPECT_TRUE(path->IsContainsPoint(15, 15));
    EXPECT_FALSE(path->IsContainsPoint(35, 15));

    std::unique_ptr<IPen> pen(factory_->CreatePen(0xFF000000, 4));
    EXPECT_TRUE(path->IsStrokeContainsPoint(10, 15, pen.get()));
    EXPECT_FALSE(path->IsStrokeContainsPoint(20, 15, pen.get()));
    EXPECT_FALSE(path->IsStrokeContainsPoint(10, 15, nullptr));

    std::unique_ptr<IMatrix> matrix(factory_->CreateMatrix());
    matrix->Translate(5, 0);
    matrix->Scale(2, 1);  // prepended: scales before the translation
    path->Transform(matrix.get());
    path->Transform(nullptr);
    const RECT moved = path->GetBound(nullptr);
    EXPECT_EQ(moved.left, 25);
    EXPECT_EQ(moved.right, 65);

    std::unique_ptr<IPath> copy(path->Clone());
    path->Reset();
    EXPECT_TRUE(copy->IsContainsPoint(30, 15));
    EXPECT_FALSE(path->IsContainsPoint(30, 15));
    copy->SetFillMode(1);
    EXPECT_EQ(copy->GetFillMode(), 1);
}

TEST_F(RenderObjectsTest, RotateAtTurnsAboutTheCentre) {
    Matrix_Gdiplus matrix;
    matrix.RotateAt(90, POINT{10, 10});
    Gdiplus::PointF point(20, 10);
    matrix.GetMatrix()->TransformPoints(&point, 1);
    EXPECT_NEAR(point.X, 10, 0.01);
    EXPECT_NEAR(point.Y, 20, 0.01);
}

RECT ClipBox(HDC dc) {
    RECT box{};
    ::GetClipBox(dc, &box);
    return box;
}

TEST_F(RenderObjectsTest, ClipsNestAndUnwindInReverse) {
    std::unique_ptr<IRenderContext> context(factory_->CreateRenderContext());
    ASSERT_TRUE(context->Resize(100, 100));
    HDC dc = context->GetDC();
    {
        AutoClip outer(context.get(), RECT{10, 10, 90, 90});
        {
            AutoClip inner(context.get(), RECT{0, 0, 50, 50});
            EXPECT_EQ(ClipBox(dc).right, 50);
            EXPECT_EQ(ClipBox(dc).left, 10);  // intersected with the outer clip
            AutoClip none(context.get(), RECT{0, 0, 5, 5}, false);
            AutoClip detached(nullptr, RECT{0, 0, 5, 5});
            EXPECT_EQ(ClipBox(dc).right, 50);
        }
        EXPECT_EQ(ClipBox(dc).right, 90);
    }
    EXPECT_EQ(ClipBox(dc).right, 100);
}

TEST_F(RenderObjectsTest, ClipFollowsTheWindowOrigin) {
    ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    ScopedBitmap bitmap(::CreateCompatibleBitmap(dc.Get(), 100, 100));
    ScopedSelectObject selected(dc.Get(), bitmap.Get());
    ::SetWindowOrgEx(dc.Get(), 20, 0, nullptr);
    GdiClip clip;
    clip.CreateRoundClip(dc.Get(), RECT{30, 0, 60, 40}, 4, 4);
    EXPECT_EQ(ClipBox(dc.Get()).left, 30);  // logical coordinates again
    clip.ClearClip(dc.Get());
    clip.CreateClip(nullptr, RECT{});
    clip.ClearClip(nullptr);
}

}  // namespace
}  // namespace ui
