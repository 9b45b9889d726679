#include "base/string_conversions.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// Text and its UTF-16 form; each one also has to survive the way back.
struct Pair {
    const char* name;
    std::string utf8;
    std::wstring wide;
};

const Pair kRoundTrips[] = {
    {"empty", "", L""},
    {"ascii", "zh_TW", L"zh_TW"},
    {"cjk", "\xE4\xB8\xAD\xE6\x96\x87", L"\u4E2D\u6587"},
    {"thai", "\xE0\xB8\x81", L"\u0E01"},
    {"emoji as surrogate pair", "a\xF0\x9F\x98\x80z", L"a\xD83D\xDE00z"},
};

TEST(Utf8ToWide, ConvertsAndRoundTrips) {
    for (const Pair& c : kRoundTrips) {
        SCOPED_TRACE(c.name);
        std::wstring wide = L"stale";
        ASSERT_TRUE(kbase::Utf8ToWide(c.utf8.c_str(), wide));
        EXPECT_EQ(wide, c.wide);

        std::string back = "stale";
        ASSERT_TRUE(kbase::WideToUtf8(wide.c_str(), back));
        EXPECT_EQ(back, c.utf8);
        ASSERT_TRUE(kbase::WideToUtf8(wide, back));
        EXPECT_EQ(back, c.utf8);

        ASSERT_TRUE(kbase::CodePageToWide(c.utf8, wide, CP_UTF8));
        EXPECT_EQ(wide, c.wide);
        ASSERT_TRUE(kbase::WideToCodePage(c.wide, back, CP_UTF8));
        EXPECT_EQ(back, c.utf8);
    }
}

TEST(Utf8ToWide, InvalidInputBecomesReplacementCharacters) {
    struct Case { const char* name; std::string utf8; std::wstring want; } const cases[] = {
        {"stray byte", "a\xFF" "b", L"a\uFFFDb"},
        {"cut sequence at end", "a\xE4\xB8", L"a\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring wide;
        EXPECT_TRUE(kbase::Utf8ToWide(c.utf8.c_str(), wide));
        EXPECT_EQ(wide, c.want);
        EXPECT_TRUE(kbase::CodePageToWide(c.utf8, wide, CP_UTF8));
        EXPECT_EQ(wide, c.want);
    }
}

TEST(WideToUtf8, LoneSurrogateBecomesReplacementCharacter) {
    std::string utf8;
    EXPECT_TRUE(kbase::WideToUtf8(L"a\xD800" L"b", utf8));
    EXPECT_EQ(utf8, "a\xEF\xBF\xBD" "b");
}

TEST(Utf8ToWide, NullTextFailsWithEmptyOutput) {
    std::wstring wide = L"stale";
    EXPECT_FALSE(kbase::Utf8ToWide(nullptr, wide));
    EXPECT_TRUE(wide.empty());
    std::string narrow = "stale";
    EXPECT_FALSE(kbase::WideToUtf8(static_cast<const wchar_t*>(nullptr), narrow));
    EXPECT_TRUE(narrow.empty());
}

TEST(CodePageToWide, ConvertsTheWholeStringIncludingNuls) {
    std::wstring wide;
    EXPECT_TRUE(kbase::CodePageToWide("a\0b"s, wide, CP_UTF8));
    EXPECT_EQ(wide, L"a\0b"s);
    std::string narrow;
    EXPECT_TRUE(kbase::WideToCodePage(L"a\0b"s, narrow, CP_UTF8));
    EXPECT_EQ(narrow, "a\0b"s);
    EXPECT_TRUE(kbase::WideToUtf8(L"a\0b"s, narrow));
    EXPECT_EQ(narrow, "a\0b"s);
    // The pointer form stops at the first NUL.
    EXPECT_TRUE(kbase::WideToUtf8(L"a\0b", narrow));
    EXPECT_EQ(narrow, "a");
}

TEST(CodePageToWide, SystemCodePageCarriesAsciiLanguageCodes) {
    std::wstring wide = L"stale";
    EXPECT_TRUE(kbase::CodePageToWide("zh_TW", wide, 0));
    EXPECT_EQ(wide, L"zh_TW");
    std::string narrow = "stale";
    EXPECT_TRUE(kbase::WideToCodePage(L"en", narrow, 0));
    EXPECT_EQ(narrow, "en");
    EXPECT_TRUE(kbase::CodePageToWide("", wide, 0));
    EXPECT_TRUE(wide.empty());
}

TEST(CodePageToWide, UnknownCodePageGivesEmptyTextAndTrue) {
    std::wstring wide = L"stale";
    EXPECT_TRUE(kbase::CodePageToWide("abc", wide, 12345));
    EXPECT_TRUE(wide.empty());
    std::string narrow = "stale";
    EXPECT_TRUE(kbase::WideToCodePage(L"abc", narrow, 12345));
    EXPECT_TRUE(narrow.empty());
}

}  // namespace
