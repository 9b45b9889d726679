#include "base/string_util.h"

#include <list>

#include <gtest/gtest.h>

namespace {

using Tokens = std::list<std::wstring>;

TEST(SplitByDelimiters, DropsEmptyPieces) {
    struct Case { const wchar_t* text; const wchar_t* delimiters; Tokens want; } const cases[] = {
        {L";a;;b;", L";", {L"a", L"b"}},
        {L"", L";", {}},
        {L";;;", L";", {}},
        {L"key=value=more", L"=", {L"key", L"value", L"more"}},
        {L" click  hover\tx", L" \t", {L"click", L"hover", L"x"}},
        {L"whole", L";", {L"whole"}},
        {L"whole", L"", {L"whole"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(kbase::SplitByDelimiters(c.text, c.delimiters), c.want);
    }
}

TEST(TrimTrailingSpaceAndControls, TrimsOnlyTheEnd) {
    struct Case { std::wstring text; std::wstring want; } const cases[] = {
        {L"ab \r\n\t", L"ab"},
        {L" \tab", L" \tab"},
        {L"ab\x1F", L"ab\x1F"},
        {L"ab\x1E ", L"ab\x1E"},
        {std::wstring(L"ab\0\x1D", 4), L"ab"},
        {L" \r\n", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        std::wstring text = c.text;
        EXPECT_EQ(&kbase::TrimTrailingSpaceAndControls(text), &text);
        EXPECT_EQ(text, c.want);
    }
}

TEST(ReplaceAll, ReplacesNonOverlappingOccurrencesOnce) {
    struct Case { std::wstring find, replacement, subject, want; std::size_t count; } const cases[] = {
        {L"aa", L"a", L"aaaa", L"aa", 2},            // shrinks
        {L"aa", L"b", L"aaa", L"ba", 1},             // no overlap
        {L"a", L"aa", L"aba", L"aabaa", 2},          // grows; inserted text is not rescanned
        {L"\\n", L"\n", L"x\\ny\\n", L"x\ny\n", 2},  // language-file escapes
        {L"ab", L"", L"abcab", L"c", 2},
        {L"x", L"y", L"abc", L"abc", 0},
        {L"", L"y", L"abc", L"abc", 0},
        {L"abc", L"d", L"ab", L"ab", 0},
        {L"a", L"b", L"", L"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.find + L" -> " + c.replacement + L" in " + c.subject));
        std::wstring subject = c.subject;
        EXPECT_EQ(kbase::ReplaceAll(c.find, c.replacement, subject), c.count);
        EXPECT_EQ(subject, c.want);
    }
}

TEST(ReplaceAll, NarrowFormAndArgumentsInsideTheSubject) {
    std::string narrow = "a\\b\\c";
    EXPECT_EQ(kbase::ReplaceAll("\\", "/", narrow), 2u);
    EXPECT_EQ(narrow, "a/b/c");
    EXPECT_EQ(kbase::ReplaceAll("", "x", narrow), 0u);
    EXPECT_EQ(narrow, "a/b/c");

    // find and replacement may view the subject itself.
    std::string subject = "abab";
    EXPECT_EQ(kbase::ReplaceAll(std::string_view(subject).substr(0, 2), subject, subject), 2u);
    EXPECT_EQ(subject, "abababab");
}

TEST(NormalizePathSeparators, UsesSingleBackslashesAndKeepsUncPrefixes) {
    struct Case { const wchar_t* path; const wchar_t* want; } const cases[] = {
        {L"a//b/c", L"a\\b\\c"},
        {L"C:\\x\\\\y", L"C:\\x\\y"},
        {L"a\\\\\\b", L"a\\\\b"},      // one pass: three stay two
        {L"a\\\\\\\\b", L"a\\\\b"},    // and four become two
        {L"\\\\server\\share\\\\x", L"\\\\server\\share\\x"},
        {L"//server/share/x", L"\\\\server\\share\\x"},
        {L"\\\\?\\C:\\a\\\\b", L"\\\\?\\C:\\a\\b"},
        {L"\\x", L"\\x"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(kbase::NormalizePathSeparators(c.path), c.want);
    }
}

}  // namespace
