#include "ui/image_info.h"

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/ui/image_files.h"

namespace {

using image_files::GifBytes;
using image_files::Frame;
using image_files::kGifPalette;

class ImageInfoTest : public ::testing::Test {
protected:
    std::unique_ptr<ui::ImageInfo> Load(const std::wstring& path) {
        return ui::ImageInfo::LoadFromBitmap(std::make_unique<Gdiplus::Bitmap>(path.c_str()), path);
    }

    image_files::GdiplusSession gdiplus_;
    image_files::TempFolder folder_;
};

// The first pixel of a frame's DIB, as ARGB.
Gdiplus::ARGB DibPixel(HBITMAP frame) {
    BITMAP dib{};
    if (::GetObjectW(frame, sizeof(dib), &dib) != sizeof(dib) || dib.bmBits == nullptr) return 0;
    return *static_cast<const Gdiplus::ARGB*>(dib.bmBits);
}

Gdiplus::ARGB BitmapPixel(Gdiplus::Bitmap* bitmap) {
    Gdiplus::Color color;
    if (bitmap == nullptr || bitmap->GetPixel(0, 0, &color) != Gdiplus::Ok) return 0;
    return color.GetValue();
}

TEST_F(ImageInfoTest, TellsTransparencyFromFormatPaletteAndPixels) {
    struct Case {
        const wchar_t* name;
        std::function<void(const std::wstring&)> write;
        bool alpha;
    } const cases[] = {
        {L"opaque.png",
         [](const std::wstring& p) { image_files::SaveImage(p, L"image/png", PixelFormat32bppARGB, 4, 3, 0xFF336699); },
         false},
        {L"clear_corner.png",
         [](const std::wstring& p) {
             image_files::SaveImage(p, L"image/png", PixelFormat32bppARGB, 4, 3, 0xFF336699, {{0, 2, 0x00000000}});
         },
         true},
        {L"last_pixel_254.png",
         [](const std::wstring& p) {
             image_files::SaveImage(p, L"image/png", PixelFormat32bppARGB, 4, 3, 0xFF336699, {{3, 0, 0xFE336699}});
         },
         true},
        {L"rgb.bmp",
         [](const std::wstring& p) { image_files::SaveImage(p, L"image/bmp", PixelFormat24bppRGB, 4, 3, 0xFF336699); },
         false},
        {L"opaque.gif",
         [](const std::wstring& p) {
             image_files::WriteBytes(p, GifBytes(4, 3, {Frame(std::vector<std::uint8_t>(12, 1))}));
         },
         false},
        {L"transparent.gif",
         [](const std::wstring& p) {
             image_files::WriteBytes(p, GifBytes(4, 3, {Frame(std::vector<std::uint8_t>(12, 1), 0, 3)}));
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = folder_.Child(c.name);
        c.write(path);
        const std::unique_ptr<ui::ImageInfo> image = Load(path);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->HasAlpha(), c.alpha);
        EXPECT_EQ(image->GetWidth(), 4);
        EXPECT_EQ(image->GetHeight(), 3);
        EXPECT_EQ(image->GetPath(), path);
        EXPECT_FALSE(image->IsCached());
        EXPECT_EQ(image->GetFrameCount(), 1u);
        EXPECT_NE(image->GetHBitmap(0), nullptr);
        EXPECT_NE(image->GetBitmap(0), nullptr);
        EXPECT_EQ(image->GetHBitmap(1), nullptr);
        EXPECT_EQ(image->GetBitmap(1), nullptr);
        EXPECT_EQ(image->GetFrameDelay(0), 0);
    }
}

TEST_F(ImageInfoTest, KeepsEveryFrameOfAnAnimationInOrder) {
    const std::wstring path = folder_.Child(L"three.gif");
    image_files::WriteBytes(
        path, GifBytes(2, 2, {Frame({0, 0, 0, 0}, 10), Frame({1, 1, 1, 1}, 20), Frame({2, 2, 2, 2}, 30)}));
    const std::unique_ptr<ui::ImageInfo> image = Load(path);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->GetFrameCount(), 3u);
    EXPECT_FALSE(image->HasAlpha());
    for (std::size_t frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(DibPixel(image->GetHBitmap(frame)), kGifPalette[frame]);
        EXPECT_EQ(BitmapPixel(image->GetBitmap(frame)), kGifPalette[frame]);
        EXPECT_EQ(image->GetFrameDelay(frame), 10 * static_cast<int>(frame + 1));
    }
    EXPECT_EQ(image->GetFrameDelay(3), 0);
    EXPECT_EQ(image->GetHBitmap(3), nullptr);
}

TEST_F(ImageInfoTest, RefusesBitmapsInError) {
    const std::wstring corrupt = folder_.Child(L"corrupt.png");
    image_files::WriteBytes(corrupt, "\x89PNG\r\n\x1a\n not really a picture");
    const std::wstring truncatedGif = folder_.Child(L"truncated.gif");
    image_files::WriteBytes(truncatedGif, GifBytes(2, 2, {Frame({0, 0, 0, 0})}).substr(0, 20));

    EXPECT_EQ(ui::ImageInfo::LoadFromBitmap(nullptr, L"x.png"), nullptr);
    EXPECT_EQ(Load(folder_.Child(L"missing.png")), nullptr);
    EXPECT_EQ(Load(corrupt), nullptr);
    EXPECT_EQ(Load(truncatedGif), nullptr);
}

}  // namespace
