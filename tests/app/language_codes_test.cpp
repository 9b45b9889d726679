#include "app/language_codes.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(LanguageCodeAt, OutOfRangeMeansEnglish) {
    struct Case { int index; std::string_view want; } const cases[] = {
        {0, "en"}, {4, "zh_TW"}, {17, "ms"}, {18, "en"}, {-1, "en"}, {INT_MIN, "en"}, {INT_MAX, "en"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(LanguageCodeAt(c.index), c.want);
    }
}

TEST(FindLanguageIndex, ExactCaseSensitiveMatch) {
    struct Case { std::string code; std::optional<int> want; } const cases[] = {
        {"zh_TW", 4}, {"en", 0}, {"pt_BR", 12}, {"ms", 17},
        {"ZH_TW", std::nullopt}, {"zh_tw", std::nullopt}, {"zh", std::nullopt},
        {"zh_TW ", std::nullopt}, {"", std::nullopt}, {std::string("en\0", 3), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.code));
        EXPECT_EQ(FindLanguageIndex(c.code), c.want);
    }
}

TEST(LanguageTables, EveryCodeFindsItsOwnIndex) {
    for (int i = 0; i < static_cast<int>(LanguageCodes.size()); ++i) {
        EXPECT_EQ(FindLanguageIndex(LanguageCodes[i]), i) << LanguageCodes[i];
    }
    EXPECT_EQ(LanguageNameKeys[0], "STRING_LANG_ENGLAND");
    EXPECT_EQ(LanguageNameKeys[4], "STRING_LANG_TAIWAN");
    EXPECT_EQ(LanguageNameKeys[17], "STRING_LANG_MALAY");
}

TEST(EmbeddedFonts, RegistryNamesAndResourceIds) {
    // The registry value names are UTF-16 text, not bytes of the source file.
    const std::wstring cjk({0x601D, 0x6E90, 0x9ED1, 0x4F53});
    const std::wstring wantValueNames[] = {L"Loma (TrueType)", L"Loma Bold (TrueType)",
                                           cjk + L" CN Regular (TrueType)", cjk + L" CN Bold (TrueType)"};
    const int wantIds[] = {138, 139, 143, 142};
    for (std::size_t i = 0; i < EmbeddedFonts.size(); ++i) {
        const EmbeddedFont& font = EmbeddedFonts[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(std::wstring(font.registryValueName), wantValueNames[i]);
        EXPECT_EQ(font.resourceId, wantIds[i]);
    }
    EXPECT_EQ(std::wstring(EmbeddedFonts[kCjkRegularFontIndex].fileName), L"SourceHanSansCNRegular.ttf");
    EXPECT_EQ(std::wstring(EmbeddedFonts[kCjkBoldFontIndex].fileName), L"SourceHanSansCNBold.ttf");
}

}  // namespace
