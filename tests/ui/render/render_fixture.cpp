#include "tests/ui/render/render_fixture.h"

#include <string>

#include "ui/global_manager.h"
#include "ui/render/render_factory.h"

namespace ui_test {

void RenderFixture::SetUp() {
    ui::GlobalManager::StartupRender();
    context_.reset(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    ASSERT_TRUE(context_->Resize(width_, height_));
    context_->Clear();
}

void RenderFixture::TearDown() {
    if (!HasFailure() || !context_) return;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string("failed_") + info->test_suite_name() + "_" + info->name() + ".png";
    WriteRenderContextPng(*context_, std::wstring(name.begin(), name.end()), 4);
}

bool RenderFixture::AllPixels(const RECT& area, bool (*test)(const Pixel&)) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (!test(At(x, y))) return false;
        }
    }
    return true;
}

}  // namespace ui_test
