#include "ui/global_manager.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/ui/image_files.h"
#include "tests/ui/stored_zip.h"
#include "tests/ui/support/render_snapshot.h"
#include "ui/control.h"
#include "ui/dpi_manager.h"
#include "ui/image_info.h"
#include "ui/language_table.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/window.h"
#include "ui/window_builder.h"

namespace {

using ui::GlobalManager;

constexpr Gdiplus::ARGB kRed = 0xFFFF0000;
constexpr Gdiplus::ARGB kBlue = 0xFF0000FF;

std::string ReadWhole(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A PNG of one colour, as bytes.
std::string PngBytes(const image_files::TempFolder& folder, Gdiplus::ARGB colour, int width = 4) {
    const std::wstring path = folder.Child(L"made.png");
    image_files::SaveImage(path, L"image/png", PixelFormat32bppARGB, width, 4, colour);
    return ReadWhole(path);
}

// A launcher folder of its own, made the working folder: resources\ on disk, and an archive
// of other contents to open beside it.
class GlobalManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t previous[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
        ASSERT_TRUE(::SetCurrentDirectoryW(folder_.Child(L"").c_str()));
        std::filesystem::create_directories(L"resources\\lang");
        std::filesystem::create_directories(L"resources\\themes\\default\\img");
        Disk(L"resources\\lang\\en.ini", "STRING_WHERE = disk en\n");
        Disk(L"resources\\lang\\zh_TW.ini", "STRING_WHERE = disk zh_TW\n");
    }
    void TearDown() override {
        GlobalManager::CloseResourceZip();
        GlobalManager::ClearImageCache();
        ::SetCurrentDirectoryW(previous_.c_str());
    }

    void Disk(const std::wstring& path, const std::string& bytes) { image_files::WriteBytes(folder_.Child(path), bytes); }
    // Opens an archive of items (held by the test while open).
    void OpenArchive(const stored_zip::Items& items) {
        archive_ = stored_zip::Archive(items);
        ASSERT_TRUE(GlobalManager::OpenResourceZip(archive_.data(), archive_.size()));
    }
    static void Start(const std::wstring& language) {
        GlobalManager::Startup(L"resources\\", nullptr, false, L"themes\\default", language);
    }
    static std::wstring Text(const wchar_t* id) { return ui::LanguageTable::GetInstance().GetText(id); }

    image_files::TempFolder folder_;
    std::wstring previous_;
    std::string archive_;
};

TEST_F(GlobalManagerTest, ReadsResourceFilesFromTheArchiveFirstThenFromDisk) {
    Disk(L"resources\\themes\\default\\both.json", "disk both");
    Disk(L"resources\\themes\\default\\disk.json", "disk only");
    Start(L"en");
    std::string bytes;
    EXPECT_TRUE(GlobalManager::ReadResourceFile(L"both.json", bytes));
    EXPECT_EQ(bytes, "disk both");

    OpenArchive({{"resources/themes/default/both.json", "archive both"},
                 {"resources/themes/default/archive.json", "archive only"},
                 {"resources/themes/default/empty.json", ""}});
    struct Case {
        const wchar_t* path;
        bool found;
        const char* bytes;
    } const cases[] = {
        {L"both.json", true, "archive both"},
        {L"archive.json", true, "archive only"},
        {L"disk.json", true, "disk only"},
        {L"BOTH.JSON", true, "archive both"},
        {L"sub\\..\\both.json", true, "archive both"},
        {L"missing.json", false, ""},
        // An empty item cannot be unpacked whole, and the disk lacks it.
        {L"empty.json", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string read;
        EXPECT_EQ(GlobalManager::ReadResourceFile(c.path, read), c.found);
        EXPECT_EQ(read, c.bytes);
    }
}

TEST_F(GlobalManagerTest, ReadZipItemUnpacksIntoAMovableBlockOfTheItemsSize) {
    EXPECT_EQ(GlobalManager::ReadZipItem(L"resources\\lang\\en.ini"), nullptr);  // no archive open
    OpenArchive({{"resources/lang/en.ini", "STRING_WHERE = archive en\n"}});
    struct Case {
        const wchar_t* path;
        bool found;
    } const cases[] = {
        {L"resources\\lang\\en.ini", true},
        {L".\\resources\\themes\\..\\lang\\EN.ini", true},
        {L"resources//lang/en.ini", true},
        {L"resources\\lang\\ja.ini", false},
        {L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const HGLOBAL block = GlobalManager::ReadZipItem(c.path);
        ASSERT_EQ(block != nullptr, c.found);
        if (!block) continue;
        EXPECT_EQ(::GlobalFlags(block) & GMEM_DISCARDABLE, 0u);
        ASSERT_EQ(::GlobalSize(block), 26u);
        EXPECT_EQ(std::string(static_cast<const char*>(::GlobalLock(block)), 26), "STRING_WHERE = archive en\n");
        ::GlobalUnlock(block);
        EXPECT_EQ(::GlobalFree(block), nullptr);
    }
}

TEST_F(GlobalManagerTest, ADamagedArchiveIsRefused) {
    const std::string whole = stored_zip::Archive({{"resources/lang/en.ini", "STRING_WHERE = archive en\n"}});
    const std::string damaged[] = {
        "",
        "PK\x03\x04 not an archive",
        whole.substr(0, whole.size() - 10),                  // the end record cut
        whole.substr(0, 30) + whole.substr(40),              // bytes missing before the directory
    };
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(bytes.size());
        Disk(L"resources.zip", bytes);
        EXPECT_FALSE(GlobalManager::OpenResourceZip(folder_.Child(L"resources.zip")));
        EXPECT_FALSE(GlobalManager::HasResourceZip());
        EXPECT_FALSE(GlobalManager::OpenResourceZip(bytes.data(), bytes.size()));
        EXPECT_FALSE(GlobalManager::HasResourceZip());
    }
    Disk(L"resources.zip", whole);
    EXPECT_TRUE(GlobalManager::OpenResourceZip(folder_.Child(L"resources.zip")));
}

TEST_F(GlobalManagerTest, StartupLoadsTheLanguageFromTheArchiveWhenOneIsOpen) {
    Start(L"en");
    EXPECT_EQ(GlobalManager::GetResourcePath(), L"resources\\themes\\default\\");
    EXPECT_EQ(GlobalManager::GetLanguage(), L"en");
    EXPECT_EQ(Text(L"STRING_WHERE"), L"disk en");
    EXPECT_TRUE(ui::DpiManager::GetInstance()->IsAdaptDPI());

    OpenArchive({{"resources/lang/en.ini", "STRING_WHERE = archive en\n"}});
    Start(L"en");
    EXPECT_EQ(Text(L"STRING_WHERE"), L"archive en");
    // The archive is asked alone: a language it lacks leaves the table empty.
    Start(L"zh_TW");
    EXPECT_EQ(Text(L"STRING_WHERE"), L"");
}

TEST_F(GlobalManagerTest, ReloadLanguageKeepsTheRootWhenGivenNoneAndLoadsTheCurrentLanguage) {
    Start(L"en");
    GlobalManager::SetLanguage(L"zh_TW");
    int done = 0;
    GlobalManager::ReloadLanguage(L"", [&] {
        ++done;
        EXPECT_EQ(Text(L"STRING_WHERE"), L"disk zh_TW");  // loaded before done runs
    });
    EXPECT_EQ(done, 1);
    EXPECT_EQ(GlobalManager::GetResourcePath(), L"resources\\themes\\default\\");

    GlobalManager::ReloadLanguage(L"resources\\themes\\dark", nullptr);
    EXPECT_EQ(GlobalManager::GetResourcePath(), L"resources\\themes\\dark\\");
    GlobalManager::ReloadLanguage(L"", nullptr);
    EXPECT_EQ(GlobalManager::GetResourcePath(), L"resources\\themes\\dark\\");
}

TEST_F(GlobalManagerTest, PathsThroughFoldersAndBackShareOneImageFromTheArchive) {
    Start(L"en");
    OpenArchive({{"resources/themes/default/img/a.png", PngBytes(folder_, kRed, 6)},
                 {"resources/themes/default/img/broken.png", "not a picture"}});
    Disk(L"resources\\themes\\default\\img\\broken.png", PngBytes(folder_, kBlue, 3));

    const std::shared_ptr<ui::ImageInfo> plain = GlobalManager::GetImage(L"resources/themes/default/img/a.png");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetWidth(), 6);
    EXPECT_EQ(plain->GetPath(), L"resources/themes/default/img/a.png");
    EXPECT_EQ(GlobalManager::GetImage(L"resources\\themes\\default\\main\\..\\img\\a.png"), plain);
    EXPECT_EQ(GlobalManager::GetCachedImage(L".\\resources\\themes\\default\\.\\img\\a.png"), plain);

    // An item that does not decode is taken from disk.
    const std::shared_ptr<ui::ImageInfo> fromDisk = GlobalManager::GetImage(L"resources\\themes\\default\\img\\broken.png");
    ASSERT_NE(fromDisk, nullptr);
    EXPECT_EQ(fromDisk->GetWidth(), 3);
    EXPECT_EQ(GlobalManager::GetImage(L"resources\\themes\\default\\img\\missing.png"), nullptr);
}

TEST_F(GlobalManagerTest, StartupAndReloadFillTheTablesFromGlobalXml) {
    Disk(L"resources\\themes\\default\\global.xml",
         R"(<Global><Font id="disk_12" name="Arial" size="12"/><TextColor name="text" value="#ff112233"/>)"
         R"(<Class name="tall" height="30"/></Global>)");
    Start(L"en");
    EXPECT_NE(GlobalManager::GetFont(L"disk_12"), nullptr);
    EXPECT_EQ(GlobalManager::GetTextColor(L"text"), 0xFF112233u);
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"tall"), L"height=\"30\"");

    // A reload starts the tables afresh.
    GlobalManager::AddTextColor(L"stray", 0xFF000001u);
    GlobalManager::ReloadLanguage(L"", nullptr);
    EXPECT_EQ(GlobalManager::GetTextColor(L"stray"), 0u);
    EXPECT_EQ(GlobalManager::GetTextColor(L"text"), 0xFF112233u);

    OpenArchive({{"resources/themes/default/global.xml", R"(<Global><TextColor name="text" value="#ff445566"/></Global>)"}});
    GlobalManager::ReloadLanguage(L"", nullptr);
    EXPECT_EQ(GlobalManager::GetTextColor(L"text"), 0xFF445566u);
    EXPECT_EQ(GlobalManager::GetFont(L"disk_12"), nullptr);
}

// An item of the archive has no terminator: the skin is read by the item's size.
TEST_F(GlobalManagerTest, SkinsAreBuiltFromTheArchiveBeforeTheDisk) {
    Disk(L"resources\\themes\\default\\skin.xml", R"(<Window><Control name="disk"/></Window>)");
    Disk(L"resources\\themes\\default\\disk_only.xml", R"(<Window><Control name="disk only"/></Window>)");
    Start(L"en");
    OpenArchive({{"resources/themes/default/skin.xml", "<Window><Control name=\"\xE5\x90\x8D\"/></Window>"},
                 {"resources/themes/default/broken.xml", "<Window><Control"}});
    Disk(L"resources\\themes\\default\\broken.xml", R"(<Window><Control name="disk"/></Window>)");
    struct Case {
        const wchar_t* skin;
        const wchar_t* name;  // null: nothing built
    } const cases[] = {
        {L"skin.xml", L"\u540D"},
        {L"disk_only.xml", L"disk only"},
        {L"broken.xml", nullptr},  // the archive's copy does not parse; the disk is not tried
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skin);
        ui::Window window;
        const std::unique_ptr<ui::Control> built(ui::WindowBuilder().Create(c.skin, {}, &window));
        ASSERT_EQ(built != nullptr, c.name != nullptr);
        if (built) {
            EXPECT_EQ(built->GetName(), c.name);
        }
    }
}

// The language's own variant of a background ("a_en.png" for "a.png"): with an archive open
// only the archive counts.
TEST_F(GlobalManagerTest, ALanguageVariantOfAnImageIsLookedForInTheOpenArchive) {
    Start(L"en");
    GlobalManager::StartupRender();
    Disk(L"resources\\themes\\default\\img\\disk_en.png", PngBytes(folder_, kBlue));
    Disk(L"resources\\themes\\default\\img\\disk.png", PngBytes(folder_, kRed));
    OpenArchive({{"resources/themes/default/img/a.png", PngBytes(folder_, kRed)},
                 {"resources/themes/default/img/a_en.png", PngBytes(folder_, kBlue)},
                 {"resources/themes/default/img/disk.png", PngBytes(folder_, kRed)}});
    struct Case {
        const wchar_t* image;
        DWORD want;
    } const cases[] = {
        {L"img/a.png", kBlue},
        {L"img/disk.png", kRed},  // disk_en.png lies on disk only
    };
    std::unique_ptr<ui::IRenderContext> context(GlobalManager::GetRenderFactory()->CreateRenderContext());
    ASSERT_TRUE(context->Resize(8, 8));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        context->Clear();
        ui::Control control;
        control.SetAttribute(L"bkimage", c.image);
        control.SetAttribute(L"bkimageadaptlanguage", L"true");
        control.SetPos(RECT{0, 0, 4, 4});
        control.AlphaPaint(context.get(), RECT{0, 0, 8, 8});
        EXPECT_EQ(ui_test::PixelAt(*context, 2, 2).Argb(), c.want);
    }
}

}  // namespace
