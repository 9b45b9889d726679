#include "windows/formatted_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/language_table.h"

namespace {

TEST(FormatByteSize, PicksTheLargestUnitAndPadsToFiveCharacters) {
    struct Case {
        std::uint64_t bytes;
        const wchar_t* want;
    } const cases[] = {
        {0, L" 0.00KB"},
        {1023, L" 1.00KB"},
        {1048575, L"1024.00KB"},  // below 2^20 stays in KB, rounded by the float product
        {1048576, L" 1.00M"},
        {536870912, L"512.00M"},
        {1073741823, L"1024.00M"},
        {1073741824, L" 1.00G"},
        {1610612736, L" 1.50G"},
        {2952790016, L" 2.75G"},
        {3221225472, L" 3.00G"},
        {1ULL << 50, L"1048576.00G"},
        {UINT64_MAX, L"17179869184.00G"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(FormatByteSize(c.bytes), c.want);
    }
}

class FormatLanguageTextTest : public ::testing::Test {
protected:
    void Load(std::vector<std::wstring> lines) { ui::LanguageTable::GetInstance().ParseLines(lines); }
    void TearDown() override { ui::LanguageTable::GetInstance().Clear(); }
};

TEST_F(FormatLanguageTextTest, FillsTheLanguageTextsValueWithoutReadingItAsAFormat) {
    Load({L"STRING_DOWNLOAD_SPEED = Download speed: %ls/S", L"STRING_BROKEN = %d%% of %n: %ls"});
    EXPECT_EQ(FormatLanguageText(L"STRING_DOWNLOAD_SPEED", L" 2.50M"), L"Download speed:  2.50M/S");
    EXPECT_EQ(FormatLanguageText(L"STRING_BROKEN", L"x"), L"%d% of %n: x");
    EXPECT_EQ(FormatLanguageText(L"STRING_MISSING", L"x"), L"");
}

TEST_F(FormatLanguageTextTest, ALongResultIsCutTo259Characters) {
    Load({L"STRING_LONG = %ls"});
    EXPECT_EQ(FormatLanguageText(L"STRING_LONG", std::wstring(400, L'a')), std::wstring(259, L'a'));
}

}  // namespace
