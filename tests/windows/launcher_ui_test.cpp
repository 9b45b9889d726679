#include "windows/launcher_ui.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/text_anti_alias.h"
#include "app/ui_resource_archive.h"
#include "tests/app/scratch_folder.h"
#include "tests/ui/rich_edit_test_support.h"
#include "tests/ui/stored_zip.h"
#include "ui/global_manager.h"

namespace {

// The UI framework behind the core's hooks, started on a launcher folder of the test's own
// (with update\), made the working folder; this executable embeds the launcher's archive.
class LauncherUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CreateDirectoryW(folder_.Child(L"update").c_str(), nullptr));
        wchar_t previous[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
        ASSERT_TRUE(::SetCurrentDirectoryW(folder_.path().c_str()));
    }
    void TearDown() override {
        ui_.shutdown();
        ::SetCurrentDirectoryW(previous_.c_str());
    }

    UiArchive LoadAndStart(const wchar_t* language) {
        const UiArchive archive = LoadUiResourceArchive(folder_.path() + L"\\", ui_);
        ui_.startup(L"resources\\", L"themes\\default", language);
        return archive;
    }

    ScratchFolder folder_;
    std::wstring previous_;
    UiServices ui_ = MakeLauncherUiServices();
};

TEST_F(LauncherUiTest, TheEmbeddedArchiveServesTextsAndTheChannelConfiguration) {
    ASSERT_EQ(LoadAndStart(L"zh_TW"), UiArchive::kEmbedded);
    EXPECT_EQ(ui_.getText(L"STRING_CONFIRM"), L"\u78BA\u5B9A");
    std::string channel;
    EXPECT_TRUE(ui_.readResourceFile(L"common_config_CHANNEL_TW.json", channel));
    EXPECT_NE(channel.find("OverwriteStrings"), std::string::npos);

    ui_.setLanguage(L"en");
    ui_.reloadLanguage();
    EXPECT_EQ(ui_.getText(L"STRING_CONFIRM"), L"CONFIRM");
}

// The launcher's channel file, read from the embedded archive for the build's language.
TEST_F(LauncherUiTest, TheChannelConfigurationComesFromTheArchive) {
    ASSERT_EQ(LoadAndStart(L"zh_TW"), UiArchive::kEmbedded);
    LauncherContext* context = LauncherContext::Instance();
    context->SetUiServices(ui_);
    LauncherSettings settings = context->settings.Get();
    settings.language = "zh_TW";
    context->settings.Set(settings);
    const bool loaded = context->LoadChannelConfig();
    context->SetUiServices({});
    ASSERT_TRUE(loaded);

    EXPECT_EQ(context->titles["title_main"], L"Tarvenor");
    EXPECT_EQ(context->titles["title_sub"], L"\u555F\u52D5\u5668");
    EXPECT_NE(context->links["Privacy"].find("/zh_TW/"), std::string::npos);
    // The forum links of "en", the only language that has them, then the FAQ.
    std::vector<std::string> keys;
    for (const ForumLink& link : context->forumLinks) {
        keys.push_back(link.linkKey);
        EXPECT_FALSE(ui_.getText(std::wstring(link.tooltip.begin(), link.tooltip.end())).empty()) << link.tooltip;
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Forum_facebook", "Forum_Bahamut", "Forum_youtube", "Forum_mycard",
                                              "FAQ"}));
    EXPECT_EQ(ui_.getText(L"STRING_GAME_TITLE"), L"Tarvenor");
}

TEST_F(LauncherUiTest, AResourcesZipBesideTheLauncherWinsUnlessItIsDamaged) {
    const std::string archive = stored_zip::Archive({{"resources/lang/en.ini", "STRING_CONFIRM = From beside\n"}});
    folder_.WriteFile(L"resources.zip", archive);
    ASSERT_EQ(LoadAndStart(L"en"), UiArchive::kCopy);
    EXPECT_EQ(ui_.getText(L"STRING_CONFIRM"), L"From beside");

    folder_.WriteFile(L"resources.zip", archive.substr(0, archive.size() / 2));
    ASSERT_EQ(LoadAndStart(L"en"), UiArchive::kEmbedded);
    EXPECT_EQ(ui_.getText(L"STRING_CONFIRM"), L"CONFIRM");
}

TEST_F(LauncherUiTest, InstalledFontsGiveTheFacesAndTheTextAntiAliasing) {
    ui::GlobalManager::SetFontFaces({});
    ApplyInstalledFontsToUi({L"Regular", L"Bold", L"Italic"}, true);
    const UiFontFaces embedded = EmbeddedUiFontFaces();
    const ui::FontFaces faces = ui::GlobalManager::GetFontFaces();
    EXPECT_EQ(faces.systemRegular, L"Regular");
    EXPECT_EQ(faces.systemBold, L"Bold");
    EXPECT_EQ(faces.systemItalic, L"Italic");
    EXPECT_EQ(faces.buttonRegular, embedded.regular);
    EXPECT_EQ(faces.buttonBold, embedded.bold);
    EXPECT_EQ(faces.buttonItalic, embedded.italic);
    EXPECT_TRUE(TextAntiAliasEnabled());

    // The language switch sets the button faces alone.
    ui::GlobalManager::SetFontFaces({L"Regular", L"Bold", L"Italic", L"", L"", L""});
    ui_.setUiFontFaces();
    EXPECT_EQ(ui::GlobalManager::GetFontFaces().systemBold, L"Bold");
    EXPECT_EQ(ui::GlobalManager::GetFontFaces().buttonBold, embedded.bold);

    ApplyInstalledFontsToUi(embedded, false);
    EXPECT_FALSE(TextAntiAliasEnabled());
}

// Whether the calling thread has OLE: a further initialisation then only counts once more.
bool ThreadHasOle() {
    const HRESULT result = ::OleInitialize(nullptr);
    if (SUCCEEDED(result)) ::OleUninitialize();
    return result == S_FALSE;
}

// The UI's start gives its thread the OLE that the edit fields copy and paste through, with
// or without the browser runtime (Wine's clipboard works without it, so the thread's state is
// checked as well); the UI's end takes it back.
TEST_F(LauncherUiTest, TheUiThreadHasOleForItsEditFields) {
    ASSERT_FALSE(ThreadHasOle());
    LoadAndStart(L"en");
    EXPECT_TRUE(ThreadHasOle());
    {
        rich_edit_test::EditWindow window;
        ui::RichEdit* from = window.AddEdit(L"text='12345'");
        ui::RichEdit* to = window.AddEdit(L"");
        ASSERT_TRUE(window.Open());
        ASSERT_TRUE(rich_edit_test::SetClipboardText(L"before"));
        ASSERT_TRUE(window.Focus(from));
        rich_edit_test::PressChord({VK_CONTROL, 'A'});
        rich_edit_test::PressChord({VK_CONTROL, 'C'});
        EXPECT_EQ(rich_edit_test::GetClipboardText(), L"12345");
        ASSERT_TRUE(window.Focus(to));
        rich_edit_test::PressChord({VK_CONTROL, 'V'});
        EXPECT_EQ(to->GetText(), L"12345");
    }
    ui_.shutdown();
    EXPECT_FALSE(ThreadHasOle());
}

}  // namespace
