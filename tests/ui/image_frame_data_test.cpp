#include "ui/image_frame_data.h"

#include <cstddef>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
    std::vector<std::byte> bytes;
    for (int v : values) bytes.push_back(static_cast<std::byte>(v));
    return bytes;
}

TEST(FrameDelays, GivesEveryFrameADelayWhateverTheValueLength) {
    struct Case {
        const char* name;
        std::vector<std::byte> value;
        std::size_t frames;
        std::vector<int> want;
    } const cases[] = {
        {"one per frame", Bytes({10, 0, 0, 0, 0x2C, 0x01, 0, 0, 5, 0, 0, 0}), 3, {10, 300, 5}},
        {"shorter than the frames", Bytes({7, 0, 0, 0}), 3, {7, 0, 0}},
        {"a cut number", Bytes({7, 0, 0, 0, 9, 0}), 2, {7, 0}},
        {"longer than the frames", Bytes({1, 0, 0, 0, 2, 0, 0, 0}), 1, {1}},
        {"empty", {}, 2, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::ReadFrameDelays(c.value, c.frames), c.want);
    }
}

TEST(DibSize, IsCountedIn64Bits) {
    EXPECT_EQ(ui::DibByteCount(65536, 32769), 2147549184u);      // past INT_MAX
    EXPECT_EQ(ui::DibByteCount(131072, 65536), 8589934592u);     // past UINT_MAX
    EXPECT_EQ(ui::DibByteCount(40, -10), 400u);                  // top-down
    EXPECT_EQ(ui::DibByteCount(0, 10), 0u);
}

TEST(DibAlpha, FindsTheFirstTranslucentPixelAndIgnoresColourBytes) {
    EXPECT_FALSE(ui::HasTranslucentPixel({}));
    const std::vector<std::uint8_t> opaque = {0, 0, 0, 255, 1, 2, 3, 255};
    EXPECT_FALSE(ui::HasTranslucentPixel(opaque));
    const std::vector<std::uint8_t> lastTranslucent = {255, 255, 255, 255, 255, 255, 255, 254};
    EXPECT_TRUE(ui::HasTranslucentPixel(lastTranslucent));
    const std::vector<std::uint8_t> cutPixel = {0, 0, 0, 255, 0, 0, 0};
    EXPECT_FALSE(ui::HasTranslucentPixel(cutPixel));
}

}  // namespace
