#include <gtest/gtest.h>

#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/render/gdiplus_headers.h"

namespace ui {
namespace {

class GlobalManagerDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlobalManager::StartupRender();
        GlobalManager::RemoveAllFonts();
        GlobalManager::RemoveAllTextColors();
        GlobalManager::RemoveAllClasses();
    }
    void TearDown() override {
        DpiManager::GetInstance()->SetAdaptDPI(false);
        DpiManager::GetInstance()->SetScale(100);
        GlobalManager::RemoveAllFonts();
    }
};

TEST_F(GlobalManagerDrawingTest, FontIdsDefaultsAndFirstFontWins) {
    const HFONT first = GlobalManager::AddFont(L"", L"Tahoma", 12, false, false, false, false);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(GlobalManager::GetFont(L"0"), nullptr);  // an empty id on an empty table is "0"
    EXPECT_EQ(GlobalManager::GetFont(L"0")->hFont, first);
    ASSERT_NE(GlobalManager::AddFont(L"", L"Tahoma", 14, true, false, false, false), nullptr);
    EXPECT_NE(GlobalManager::GetFont(L"1"), nullptr);

    EXPECT_EQ(GlobalManager::GetFont(L""), nullptr);  // no default yet
    EXPECT_EQ(GlobalManager::GetFont(L"never_added"), nullptr);
    const HFONT chosen = GlobalManager::AddFont(L"body", L"Tahoma", 16, false, true, true, true);
    const HFONT again = GlobalManager::AddFont(L"body", L"Tahoma", 30, true, false, false, false);
    EXPECT_EQ(again, chosen);  // the first font of an id stays, and is what the caller gets
    FontInfo* body = GlobalManager::GetFont(L"");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->hFont, chosen);
    EXPECT_EQ(body->size, 16);
    EXPECT_TRUE(body->underline);
    EXPECT_TRUE(body->italic);
    ASSERT_NE(body->font, nullptr);
    EXPECT_EQ(body->faceName, L"Tahoma");

    GlobalManager::RemoveAllFonts();
    EXPECT_EQ(GlobalManager::GetFont(L"body"), nullptr);
}

TEST_F(GlobalManagerDrawingTest, FontSizeFollowsDpi) {
    DpiManager::GetInstance()->SetAdaptDPI(true);
    DpiManager::GetInstance()->SetScale(150);
    GlobalManager::AddFont(L"scaled", L"Tahoma", 12, true, false, false, false);
    ASSERT_NE(GlobalManager::GetFont(L"scaled"), nullptr);
    EXPECT_EQ(GlobalManager::GetFont(L"scaled")->size, 18);
    LOGFONTW logFont{};
    ::GetObjectW(GlobalManager::GetFont(L"scaled")->hFont, sizeof(logFont), &logFont);
    EXPECT_EQ(logFont.lfHeight, -18);
    EXPECT_GE(logFont.lfWeight, FW_BOLD);
}

TEST_F(GlobalManagerDrawingTest, SystemAndButtonFacesFallBackWhenTheirProbeFails) {
    const std::wstring fallback = IsWindowsVersionAtLeast(0) ? L"\x5FAE\x8F6F\x96C5\x9ED1" : L"Arial";
    FontFaces faces;
    faces.systemRegular = L"Tahoma";  // usable
    faces.buttonBold = L"Tahoma";
    GlobalManager::SetFontFaces(faces);
    GlobalManager::AddFont(L"s", L"system", 12, false, false, false, false);
    GlobalManager::AddFont(L"sb", L"system", 12, true, false, false, false);  // empty face: fallback
    GlobalManager::AddFont(L"bb", L"button", 12, true, false, true, false);   // bold wins over italic
    GlobalManager::AddFont(L"bi", L"button", 12, false, false, true, false);
    EXPECT_EQ(GlobalManager::GetFont(L"s")->faceName, L"Tahoma");
    EXPECT_EQ(GlobalManager::GetFont(L"bb")->faceName, L"Tahoma");
    for (const wchar_t* id : {L"sb", L"bi"}) {
        SCOPED_TRACE(testing::Message() << id);
        ASSERT_NE(GlobalManager::GetFont(id), nullptr);
        // The platform may map a missing face to another one; what was asked for is the fallback.
        LOGFONTW logFont{};
        ::GetObjectW(GlobalManager::GetFont(id)->hFont, sizeof(logFont), &logFont);
        EXPECT_EQ(std::wstring(logFont.lfFaceName), fallback);
    }
    GlobalManager::SetFontFaces(FontFaces{});
}

TEST_F(GlobalManagerDrawingTest, TextColours) {
    struct Case {
        const wchar_t* value;
        DWORD want;
    } const cases[] = {
        {L"#FF333333", 0xFF333333}, {L"#ffa1aebc", 0xFFA1AEBC}, {L"#80FF", 0x80FF},
        {L"#", 0},                  {L"", 0},                   {L"#zz", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value);
        GlobalManager::AddTextColor(L"c", c.value);
        EXPECT_EQ(GlobalManager::GetTextColor(L"c"), c.want);
    }
    GlobalManager::AddTextColor(L"blue", L"#FF0000FF");
    GlobalManager::AddTextColor(L"blue", 0xFF0000EE);  // a later entry replaces an earlier one
    EXPECT_EQ(GlobalManager::GetTextColor(L"blue"), 0xFF0000EEu);

    EXPECT_EQ(GlobalManager::GetTextColor(L"unknown"), 0u);  // entered with 0
    GlobalManager::AddTextColor(L"unknown", 0xFF010203);
    EXPECT_EQ(GlobalManager::GetTextColor(L"unknown"), 0xFF010203u);
    GlobalManager::RemoveAllTextColors();
    EXPECT_EQ(GlobalManager::GetTextColor(L"blue"), 0u);
}

TEST_F(GlobalManagerDrawingTest, ClassesChannelAndDefaultColourNames) {
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"caption"), L"");
    GlobalManager::AddClass(L"caption", L"height=\"30\"");
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"caption"), L"height=\"30\"");
    GlobalManager::RemoveAllClasses();
    EXPECT_EQ(GlobalManager::GetClassAttributes(L"caption"), L"");

    EXPECT_EQ(GlobalManager::GetCurrentChannel(), L"AppStore");
    GlobalManager::SetCurrentChannel(L"TW");
    EXPECT_EQ(GlobalManager::GetCurrentChannel(), L"TW");

    EXPECT_EQ(GlobalManager::GetDefaultTextColor(), L"textdefaultcolor");
    EXPECT_EQ(GlobalManager::GetDefaultDisabledTextColor(), L"textdefaultdisablecolor");
    GlobalManager::SetDefaultTextColor(L"white");
    EXPECT_EQ(GlobalManager::GetDefaultTextColor(), L"white");
}

TEST_F(GlobalManagerDrawingTest, RenderSessionRestarts) {
    ASSERT_NE(GlobalManager::AddFont(L"kept", L"Tahoma", 12, false, false, false, false), nullptr);
    ASSERT_NE(GlobalManager::GetRenderFactory(), nullptr);
    GlobalManager::ShutdownRender();
    EXPECT_EQ(GlobalManager::GetRenderFactory(), nullptr);
    EXPECT_EQ(GlobalManager::GetFont(L"kept"), nullptr);  // fonts go with the session
    GlobalManager::StartupRender();
    EXPECT_NE(GlobalManager::GetRenderFactory(), nullptr);
    EXPECT_NE(GlobalManager::AddFont(L"again", L"Tahoma", 12, false, false, false, false), nullptr);
}

}  // namespace
}  // namespace ui
