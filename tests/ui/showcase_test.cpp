#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/image_files.h"
#include "tests/ui/showcase/sample_tree.h"
#include "tests/ui/support/render_snapshot.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"

namespace {

// A launcher-like screen built by hand from boxes, tiles, nine-part and tiled images, borders,
// translucent controls and text with effects, painted as a window paints its tree. The picture
// is left in the build folder (ui_showcase.png) to be looked at.
TEST(Showcase, PaintsEveryKindOfContentWhereItBelongs) {
    ui::GlobalManager::StartupRender();
    image_files::TempFolder folder;
    const std::wstring resources = folder.Child(L"res");
    std::filesystem::create_directories(resources);
    showcase::PrepareResources(resources);
    std::unique_ptr<ui::Box> root(showcase::BuildShowcase(resources));
    std::unique_ptr<ui::IRenderContext> context(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    ASSERT_TRUE(context->Resize(800, 480));
    const RECT screen{0, 0, 800, 480};
    root->SetPos(screen);
    root->AlphaPaint(context.get(), screen);
    EXPECT_TRUE(ui_test::WriteRenderContextPng(*context, L"ui_showcase.png"));

    const auto at = [&](int x, int y) { return ui_test::PixelAt(*context, x, y).Argb(); };
    EXPECT_EQ(at(400, 4), 0xFF1B2538u);   // title bar
    EXPECT_EQ(at(400, 470), 0xFF101624u); // window background below the content
    // The poster panel: a sharp gold edge in its corner band, the stretched gradient inside.
    const ui_test::Pixel edge = ui_test::PixelAt(*context, 16 + 24, 64);
    EXPECT_GT(edge.r, 150);
    EXPECT_GT(edge.g, 110);
    const ui_test::Pixel body = ui_test::PixelAt(*context, 16 + 210, 64 + 150);
    EXPECT_LT(body.r, 80);
    EXPECT_GT(body.b, body.r);
    // The translucent caption darkens the panel below it.
    const ui_test::Pixel shaded = ui_test::PixelAt(*context, 16 + 300, 64 + 340);
    EXPECT_LT(shaded.b, body.b);
    // The first tile repeats its 16-pixel checker: same colour 16 pixels apart.
    const int tileX = 16 + 420 + 16 + 10;
    const int tileY = 64 + 10;
    EXPECT_EQ(at(tileX, tileY), at(tileX + 16, tileY));
    EXPECT_EQ(at(tileX, tileY), at(tileX, tileY + 16));
    EXPECT_NE(at(tileX, tileY), at(tileX + 8, tileY));
}

}  // namespace
