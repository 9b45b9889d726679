#include "base/string_format.h"

#include <cstdarg>

#include <gtest/gtest.h>

namespace {

std::wstring Append(std::wstring out, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    kbase::AppendFormattedV(format, args, out);
    va_end(args);
    return out;
}

// Around the stack buffer (1023 fits with its NUL, 1024 does not) and each heap size.
TEST(AppendFormattedV, AppendsResultsOfEveryLength) {
    for (const std::size_t length : {0u, 1u, 1023u, 1024u, 2047u, 2048u, 100000u}) {
        SCOPED_TRACE(length);
        const std::wstring text(length, L'x');
        EXPECT_EQ(Append(L"pre:", L"%ls", text.c_str()), L"pre:" + text);
    }
}

// A retry must read the arguments from the start again, not where the failed attempt left them.
TEST(AppendFormattedV, RetriesSeeEveryArgumentAgain) {
    const std::wstring text(5000, L'y');
    EXPECT_EQ(Append(L"", L"%d|%ls|%hs|%lld", 7, text.c_str(), "narrow", -9000000000LL),
              L"7|" + text + L"|narrow|-9000000000");
}

TEST(AppendFormattedV, TextAtTheSizeLimitIsDropped) {
    constexpr int kLimit = 1 << 25;
    // Sizes only: a failure would otherwise print 32 million characters.
    EXPECT_EQ(Append(L"keep", L"%*d", kLimit - 1, 1).size(), 4u + kLimit - 1);
    EXPECT_EQ(Append(L"keep", L"%*d", kLimit, 1).size(), 4u);
}

TEST(FormatWideString, FormatsWideAndNarrowArguments) {
    EXPECT_EQ(kbase::FormatWideString(L"destscale='false' dest='%d,%d,%d,%d'", 1, -2, 30, 400),
              L"destscale='false' dest='1,-2,30,400'");
    EXPECT_EQ(kbase::FormatWideString(L"[%ls|%hs|%ls]", L"\u4E2D\u6587", "ab", L""),
              L"[\u4E2D\u6587|ab|]");
    EXPECT_EQ(kbase::FormatWideString(L"no arguments"), L"no arguments");
}

TEST(FillTextValue, PutsTheValueIntoTheFirstPlaceholderOnly) {
    struct Case {
        const wchar_t* text;
        const wchar_t* want;
    } const cases[] = {
        {L"Time remaining: %ls", L"Time remaining: 01:02:03"},
        {L"%s left", L"01:02:03 left"},
        {L"no placeholder", L"no placeholder"},
        {L"", L""},
        {L"%ls and %ls", L"01:02:03 and %ls"},
        {L"%s then %ls", L"01:02:03 then %ls"},
        {L"100%% done: %ls", L"100% done: 01:02:03"},
        {L"%%ls stays a literal", L"%ls stays a literal"},
        {L"%d %n %5.2f %ls", L"%d %n %5.2f 01:02:03"},
        {L"ends with %", L"ends with %"},
        {L"%", L"%"},
        {L"%l", L"%l"},
        {L"%%%ls", L"%01:02:03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(kbase::FillTextValue(c.text, L"01:02:03"), c.want);
    }
}

TEST(FillTextValue, AValueHoldingPercentSignsIsNotReadAgain) {
    EXPECT_EQ(kbase::FillTextValue(L"speed %ls/S and %ls", L"%ls%%"), L"speed %ls%%/S and %ls");
}

}  // namespace
