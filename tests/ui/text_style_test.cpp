// The skin's "align" words and the single-line bit, as text styles.
#include "ui/text_style.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kLabel = 0x8120;   // end ellipsis, no clip, single line
constexpr UINT kButton = 0x8125;  // and centred both ways

TEST(TextStyle, AlignWordsSetAndClearTheirBitsInOrder) {
    struct Case {
        const wchar_t* words;
        UINT from;
        UINT want;
    } const cases[] = {
        {L"left", kButton, 0x8100},
        {L"right", kButton, 0x8102},
        {L"right top", kButton, 0x8122},  // "top" brings single line back
        {L"center", kLabel, 0x8121},
        {L"vcenter", kLabel, 0x8125},     // contains "center": centres horizontally too
        {L"left vcenter", kLabel, 0x8125},
        {L"bottom", kButton, 0x8129},
        {L"right bottom", kLabel, 0x812A},
        {L"", kButton, kButton},
        {L"middle", kLabel, kLabel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "words: " << std::string(c.words, c.words + wcslen(c.words)));
        EXPECT_EQ(ui::ApplyAlignWords(c.from, c.words), c.want);
    }
}

TEST(TextStyle, SingleLineSetsOrClearsOnlyItsBit) {
    EXPECT_EQ(ui::WithSingleLine(0x8105, true), 0x8125u);
    EXPECT_EQ(ui::WithSingleLine(0x8125, false), 0x8105u);
    EXPECT_EQ(ui::WithSingleLine(0x8125, true), 0x8125u);
}

}  // namespace
