#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/ui/image_files.h"
#include "ui/global_manager.h"
#include "ui/image_info.h"

namespace {

using ui::GlobalManager;

TEST(NormalizeZipPath, ResolvesSeparatorsDotsAndParents) {
    struct Case {
        const wchar_t* path;
        const wchar_t* want;
    } const cases[] = {
        {L"resources\\themes\\default\\main\\..\\public\\a.png", L"resources/themes/default/public/a.png"},
        {L"a\\\\b//c", L"a/b/c"},
        {L"a///b", L"a/b"},
        {L"/a.png", L"a.png"},
        {L"./a/./b.png", L"a/b.png"},
        {L"a/b/../../c.png", L"c.png"},
        {L"a/b/c/../../d/../e.png", L"a/e.png"},
        {L"x../y.png", L"x../y.png"},
        {L"a/..", L"a/.."},
        // Nothing to climb out of: the "../" stays.
        {L"../a.png", L"../a.png"},
        {L"../../a.png", L"../../a.png"},
        {L"a/../../b.png", L"../b.png"},
        {L"./../a.png", L"../a.png"},
        {L"..\\", L"../"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ui::NormalizeZipPath(c.path), c.want);
    }
}

class ImageCacheTest : public ::testing::Test {
protected:
    ImageCacheTest() {
        image_files::SaveImage(folder_.Child(L"a.png"), L"image/png", PixelFormat32bppARGB, 2, 2, 0xFF102030);
    }
    ~ImageCacheTest() override { GlobalManager::ClearImageCache(); }

    // The picture's path with forward slashes.
    std::wstring Forward(std::wstring path) const {
        for (wchar_t& c : path) {
            if (c == L'\\') c = L'/';
        }
        return path;
    }

    image_files::GdiplusSession gdiplus_;
    image_files::TempFolder folder_;
    const std::wstring png_ = folder_.Child(L"a.png");
};

TEST_F(ImageCacheTest, PathsDifferingInSlashesShareOneImage) {
    const std::shared_ptr<ui::ImageInfo> back = GlobalManager::GetImage(png_);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsCached());
    EXPECT_EQ(GlobalManager::GetImage(Forward(png_)), back);
    EXPECT_EQ(GlobalManager::GetCachedImage(Forward(png_)), back);
}

TEST_F(ImageCacheTest, EntryGoesWithTheLastHolder) {
    std::shared_ptr<ui::ImageInfo> first = GlobalManager::GetImage(png_);
    std::shared_ptr<ui::ImageInfo> second = GlobalManager::GetImage(png_);
    ASSERT_NE(first, nullptr);
    first.reset();
    EXPECT_EQ(GlobalManager::GetCachedImage(png_), second);
    second.reset();
    EXPECT_EQ(GlobalManager::GetCachedImage(png_), nullptr);
    EXPECT_NE(GlobalManager::GetImage(png_), nullptr);
}

TEST_F(ImageCacheTest, CachedLookupNeverDecodes) {
    EXPECT_EQ(GlobalManager::GetCachedImage(png_), nullptr);
    EXPECT_EQ(GlobalManager::GetCachedImage(png_), nullptr);
    const std::shared_ptr<ui::ImageInfo> image = GlobalManager::GetImage(png_);
    EXPECT_EQ(GlobalManager::GetCachedImage(png_), image);
}

TEST_F(ImageCacheTest, UndecodableFilesGiveNothingAndStayUncached) {
    const std::wstring corrupt = folder_.Child(L"corrupt.png");
    image_files::WriteBytes(corrupt, "not a picture");
    for (const std::wstring& path : {corrupt, folder_.Child(L"missing.png"), std::wstring()}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(GlobalManager::GetImage(path), nullptr);
        EXPECT_EQ(GlobalManager::GetCachedImage(path), nullptr);
    }
}

TEST_F(ImageCacheTest, ReleasingAnImageDroppedByAClearKeepsItsSuccessor) {
    std::shared_ptr<ui::ImageInfo> old = GlobalManager::GetImage(png_);
    ASSERT_NE(old, nullptr);
    GlobalManager::ClearImageCache();
    EXPECT_EQ(GlobalManager::GetCachedImage(png_), nullptr);
    const std::shared_ptr<ui::ImageInfo> fresh = GlobalManager::GetImage(png_);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, old);
    old.reset();
    EXPECT_EQ(GlobalManager::GetCachedImage(png_), fresh);
}

TEST_F(ImageCacheTest, WithAnArchiveOpenAPathThroughAFolderAndBackSharesTheEntry) {
    const char emptyZip[22] = {'P', 'K', 5, 6};
    ASSERT_TRUE(GlobalManager::OpenResourceZip(emptyZip, sizeof(emptyZip)));
    struct CloseZip {
        ~CloseZip() { GlobalManager::CloseResourceZip(); }
    } closeZip;

    const std::shared_ptr<ui::ImageInfo> plain = GlobalManager::GetImage(png_);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetPath(), ui::NormalizeZipPath(png_));
    EXPECT_EQ(GlobalManager::GetImage(folder_.Child(L"sub\\..\\a.png")), plain);
    EXPECT_EQ(GlobalManager::GetCachedImage(folder_.Child(L"./sub/.././a.png")), plain);
}

}  // namespace
