#include "ui/control.h"

#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/image_files.h"
#include "tests/ui/support/render_snapshot.h"
#include "ui/box.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"

namespace {

// One drawing session: GDI+, a 100x100 bitmap, and the colours the controls name.
class PaintFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ui::GlobalManager::StartupRender();
        ui::GlobalManager::AddTextColor(L"red", L"#ffff0000");
        ui::GlobalManager::AddTextColor(L"blue", L"#ff0000ff");
        ui::GlobalManager::AddTextColor(L"halfgreen", L"#8000ff00");
    }
    void SetUp() override {
        context_.reset(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
        ASSERT_TRUE(context_->Resize(100, 100));
        context_->Clear();
    }
    DWORD At(int x, int y) const { return ui_test::PixelAt(*context_, x, y).Argb(); }
    void Paint(ui::Control& control, RECT dirty = {0, 0, 100, 100}) { control.AlphaPaint(context_.get(), dirty); }

    std::unique_ptr<ui::IRenderContext> context_;
};

TEST_F(PaintFixture, ColoursCoverTheirRectanglesAndAlphaZeroPaintsNothing) {
    ui::Box box(nullptr);
    box.SetAttribute(L"bkcolor", L"red");
    auto* child = new ui::Control;
    child->SetAttribute(L"bkcolor", L"blue");
    child->SetAttribute(L"width", L"20");
    child->SetAttribute(L"height", L"20");
    box.Add(child);
    box.SetPos(RECT{10, 10, 60, 60});
    Paint(box);
    EXPECT_EQ(At(5, 5), 0u);
    EXPECT_EQ(At(12, 12), 0xFF0000FFu);
    EXPECT_EQ(At(40, 40), 0xFFFF0000u);

    context_->Clear();
    box.SetAlpha(0);
    Paint(box);
    EXPECT_EQ(At(12, 12), 0u);
    EXPECT_EQ(At(40, 40), 0u);
}

TEST_F(PaintFixture, TranslucentColourFillsTheWholeControlOpaqueOnlyTheDirtyPart) {
    ui::Control opaque;
    opaque.SetAttribute(L"bkcolor", L"red");
    opaque.SetPos(RECT{0, 0, 50, 50});
    Paint(opaque, RECT{0, 0, 10, 10});
    EXPECT_NE(At(5, 5), 0u);
    EXPECT_EQ(At(30, 30), 0u);

    ui::Control translucent;
    translucent.SetAttribute(L"bkcolor", L"halfgreen");
    translucent.SetPos(RECT{50, 50, 100, 100});
    Paint(translucent, RECT{50, 50, 60, 60});
    EXPECT_EQ(At(55, 55) >> 24, 0x80u);
    EXPECT_EQ(At(60, 90) >> 24, 0x80u);  // outside the dirty part, inside the control
}

TEST_F(PaintFixture, BordersSitInsideTheControl) {
    ui::Control framed;
    framed.SetAttribute(L"bordercolor", L"red");
    framed.SetAttribute(L"bordersize", L"3");
    framed.SetPos(RECT{10, 10, 50, 50});
    Paint(framed);
    // Width 3 around the rectangle moved in by 1 (left, top) and 2 (right, bottom).
    EXPECT_EQ(At(10, 30), 0xFFFF0000u);
    EXPECT_EQ(At(12, 30), 0xFFFF0000u);
    EXPECT_EQ(At(14, 30), 0u);
    EXPECT_EQ(At(47, 30), 0xFFFF0000u);
    EXPECT_EQ(At(30, 30), 0u);

    context_->Clear();
    ui::Control left;
    left.SetAttribute(L"bordercolor", L"blue");
    left.SetAttribute(L"leftbordersize", L"1");
    left.SetPos(RECT{10, 10, 50, 50});
    Paint(left);
    EXPECT_EQ(At(10, 20), 0xFF0000FFu);
    EXPECT_EQ(At(11, 20), 0u);
    EXPECT_EQ(At(20, 20), 0u);
}

TEST_F(PaintFixture, StateImagesCrossFadeAndFallBack) {
    image_files::TempFolder folder;
    const std::wstring red = folder.Child(L"red.png");
    const std::wstring blue = folder.Child(L"blue.png");
    image_files::SaveImage(red, L"image/png", PixelFormat32bppARGB, 4, 4, 0xFFFF0000);
    image_files::SaveImage(blue, L"image/png", PixelFormat32bppARGB, 4, 4, 0xFF0000FF);

    // Normal and hot from one picture: drawn once, so the hot alpha does not stack two draws.
    ui::Control same;
    same.SetAttribute(L"normalimage", L"file='" + red + L"' fade='128'");
    same.SetAttribute(L"hotimage", L"file='" + red + L"' fade='128'");
    same.SetPos(RECT{0, 0, 20, 20});
    same.SetHotAlpha(255);
    Paint(same);
    EXPECT_NEAR(static_cast<int>(At(10, 10) >> 24), 128, 2);

    // Pushed without a pushed image shows the hot one.
    context_->Clear();
    ui::Control button;
    button.SetAttribute(L"normalimage", red);
    button.SetAttribute(L"hotimage", blue);
    button.SetPos(RECT{0, 0, 20, 20});
    button.SetState(ui::kControlStatePushed);
    Paint(button);
    EXPECT_EQ(At(10, 10), 0xFF0000FFu);

    // A missing file draws nothing and is not tried again.
    ui::Control missing;
    missing.SetPos(RECT{0, 0, 20, 20});
    ui::Image image;
    image.file = folder.Child(L"none.png");
    EXPECT_FALSE(missing.DrawImage(context_.get(), image));
    EXPECT_TRUE(image.file.empty());
}

TEST_F(PaintFixture, TranslucentControlBlendsItsContentOverItsChildren) {
    ui::Box box(nullptr);
    box.SetAttribute(L"bkcolor", L"red");
    box.SetAlpha(128);
    auto* child = new ui::Control;
    child->SetAttribute(L"bkcolor", L"blue");
    box.Add(child);
    box.SetPos(RECT{0, 0, 40, 40});
    Paint(box);
    const DWORD pixel = At(20, 20);
    // Blue child first, the box's red blended over it at half strength.
    EXPECT_GT((pixel >> 16) & 0xFF, 100u);
    EXPECT_GT(pixel & 0xFF, 100u);
}

}  // namespace
