#include "app/text_util.h"

#include <gtest/gtest.h>

TEST(FormatDuration, WritesTwoDigitFieldsAndWideHours) {
    const struct {
        unsigned seconds;
        const wchar_t* want;
    } cases[] = {
        {0, L"00:00:00"},
        {59, L"00:00:59"},
        {3725, L"01:02:05"},
        {360000, L"100:00:00"},
        {4294967295u, L"1193046:28:15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        wchar_t buffer[32] = L"x";
        FormatDuration(c.seconds, buffer, 32);
        EXPECT_STREQ(buffer, c.want);
    }
}

TEST(FormatDuration, StaysInsideTheBuffer) {
    wchar_t buffer[6] = {L'x', L'x', L'x', L'x', L'x', L'x'};
    FormatDuration(3725, buffer, 5);
    EXPECT_EQ(buffer[5], L'x');
    EXPECT_EQ(buffer[4], L'\0');
    FormatDuration(3725, nullptr, 5);
    FormatDuration(3725, buffer, 0);
}

TEST(SplitString, KeepsInnerAndLeadingEmptiesButNoTrailingOne) {
    const struct {
        const char* text;
        const char* separator;
        std::vector<std::string> want;
    } cases[] = {
        {"1_2_3", "_", {"1", "2", "3"}},
        {"1_2_", "_", {"1", "2"}},
        {"_1", "_", {"", "1"}},
        {"1__2", "_", {"1", "", "2"}},
        {"abc", "_", {"abc"}},
        {"_", "_", {""}},
        {"", "_", {}},
        {"abc", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.separator);
        std::vector<std::string> out = {"stale"};
        EXPECT_EQ(SplitString(c.text, c.separator, out), static_cast<int>(c.want.size()));
        EXPECT_EQ(out, c.want);
    }
    std::vector<std::wstring> wide;
    EXPECT_EQ(SplitStringW(L"1_10_2", L"_", wide), 3);
    EXPECT_EQ(wide, (std::vector<std::wstring>{L"1", L"10", L"2"}));
}
