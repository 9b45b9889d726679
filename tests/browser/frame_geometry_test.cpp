#include "browser/frame_geometry.h"

#include <gtest/gtest.h>

#include "browser/dib_buffer.h"

namespace {

TEST(FrameByteSize, IsComputedIn64BitsAndBounded) {
    EXPECT_EQ(zel_comp::FrameByteSize(800, 600), std::optional<std::size_t>(1920000));
    EXPECT_EQ(zel_comp::FrameByteSize(16384, 16384), std::optional<std::size_t>(zel_comp::kMaxFrameBytes));
    for (const auto& [width, height] : {std::pair{0, 600}, {800, 0}, {-1, 600}, {800, -600}, {-800, -600},
                                        {16385, 16384}, {65536, 65536}, {0x7fffffff, 0x7fffffff}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        EXPECT_FALSE(zel_comp::FrameByteSize(width, height));
    }
}

TEST(PlacePopup, ClampsNegativeOffsetsToTheViewEdgeAndSkipsThatPartOfTheImage) {
    struct Case {
        int x, y;
        zel_comp::PopupBlit want;
    } const cases[] = {
        {-10, 5, {100, 55, 10, 0, 40, 30}},
        {20, -7, {120, 50, 0, 7, 40, 30}},
        {0, 0, {100, 50, 0, 0, 40, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        const zel_comp::PopupBlit blit = zel_comp::PlacePopup(100, 50, c.x, c.y, 40, 30);
        EXPECT_EQ(blit.destX, c.want.destX);
        EXPECT_EQ(blit.destY, c.want.destY);
        EXPECT_EQ(blit.sourceX, c.want.sourceX);
        EXPECT_EQ(blit.sourceY, c.want.sourceY);
        EXPECT_EQ(blit.width, c.want.width);
        EXPECT_EQ(blit.height, c.want.height);
    }
}

class ScreenDc {
public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

TEST(DibBuffer, IsZeroFilledTakesOnlyWholeFramesAndReleasesOnABadSize) {
    ScreenDc screen;
    zel_comp::DibBuffer buffer;
    ASSERT_TRUE(buffer.Create(screen.Get(), 3, 2));
    EXPECT_TRUE(buffer.IsValid());
    const auto* bytes = static_cast<const unsigned char*>(buffer.GetPixels());
    for (int i = 0; i < 3 * 2 * 4; ++i) EXPECT_EQ(bytes[i], 0) << i;

    std::string frame(3 * 2 * 4, '\0');
    frame[4 * 4] = 'x';  // blue of pixel (1, 1)
    EXPECT_FALSE(buffer.CopyFrame(frame.substr(1)));
    EXPECT_EQ(bytes[4 * 4], 0);
    ASSERT_TRUE(buffer.CopyFrame(frame + "tail"));
    EXPECT_EQ(::GetPixel(buffer.GetDC(), 1, 1) & 0xff0000, static_cast<COLORREF>('x') << 16);

    EXPECT_FALSE(buffer.Create(screen.Get(), 0, 2));
    EXPECT_FALSE(buffer.IsValid());
    EXPECT_EQ(buffer.GetWidth(), 0);
    EXPECT_FALSE(buffer.CopyFrame(frame));
    EXPECT_FALSE(buffer.Create(nullptr, 3, 2));
}

}  // namespace
