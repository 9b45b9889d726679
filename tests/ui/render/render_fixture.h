#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/support/render_snapshot.h"
#include "ui/render/render_context.h"

namespace ui_test {

// A cleared top-down render context of the given size; a failing test leaves its picture
// beside the test executable as failed_<suite>_<test>.png.
class RenderFixture : public ::testing::Test {
public:
    Pixel At(int x, int y) { return PixelAt(*context_, x, y); }

protected:
    void SetUp() override;
    void TearDown() override;

    // Every pixel of the rectangle, for checks over an area.
    bool AllPixels(const RECT& area, bool (*test)(const Pixel&));

    int width_ = 64;
    int height_ = 64;
    std::unique_ptr<ui::IRenderContext> context_;
};

}  // namespace ui_test
