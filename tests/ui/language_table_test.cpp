#include "ui/language_table.h"

#include <string>

#include <gtest/gtest.h>

namespace {

// The whole literal, NUL bytes included.
template <std::size_t N>
void Load(const char (&text)[N]) {
    ui::LanguageTable::GetInstance().LoadFromMemory(text, N - 1);
}

std::wstring Text(const std::wstring& id) {
    return ui::LanguageTable::GetInstance().GetText(id);
}

TEST(LanguageTable, TakesLinesOfOneKeyAndOneValue) {
    Load("STRING_CONFIRM = CONFIRM\r\n"
         "; STRING_COMMENT = commented out\n"
         "STRING_THREE = a = b\n"
         "STRING_LONE =\n"
         "STRING_DOUBLE == value\n"
         "=STRING_LEADING= value\n"
         "STRING_SEMI = a;b\n"
         "STRING_ESCAPES = one\\ntwo\\rthree\n"
         "STRING_TWICE = first\n"
         "STRING_TWICE = second\n"
         "   \t  \n"
         "STRING_TAB =\tvalue\n"
         "STRING_SPEED = Download speed: %ls/S\0STRING_AFTER_NUL = yes"
         "\nSTRING_UTF8 = \xE7\xA2\xBA\xE5\xAE\x9A");
    struct Case {
        const wchar_t* id;
        const wchar_t* text;
    } const cases[] = {
        {L"STRING_CONFIRM", L"CONFIRM"},
        {L"; STRING_COMMENT", L""},
        {L"STRING_COMMENT", L""},
        {L"STRING_THREE", L""},
        {L"STRING_LONE", L""},
        {L"STRING_DOUBLE", L"value"},
        {L"STRING_LEADING", L"value"},
        {L"STRING_SEMI", L"a;b"},
        {L"STRING_ESCAPES", L"one\ntwo\rthree"},
        {L"STRING_TWICE", L"second"},
        {L"STRING_TAB", L"value"},
        {L"STRING_SPEED", L"Download speed: %ls/S"},
        {L"STRING_AFTER_NUL", L"yes"},
        {L"STRING_UTF8", L"\u78BA\u5B9A"},
        {L"", L""},
        {L"STRING_MISSING", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(Text(c.id), c.text);
    }
}

TEST(LanguageTable, OverridesReplaceOnlyKnownTextsAndGoWithTheNextLoad) {
    Load("STRING_GAME_TITLE = Game\n");
    auto& table = ui::LanguageTable::GetInstance();
    table.SetOverride(L"STRING_GAME_TITLE", L"Tarvenor");
    table.SetOverride(L"STRING_UNKNOWN", L"never shown");
    EXPECT_EQ(Text(L"STRING_GAME_TITLE"), L"Tarvenor");
    EXPECT_EQ(Text(L"STRING_UNKNOWN"), L"");
    EXPECT_EQ(table.GetTextUtf8("STRING_GAME_TITLE"), "Tarvenor");

    Load("STRING_GAME_TITLE = Game\n");
    EXPECT_EQ(Text(L"STRING_GAME_TITLE"), L"Game");
}

TEST(LanguageTable, AFileThatCannotBeReadEmptiesTheTable) {
    Load("STRING_CONFIRM = CONFIRM\n");
    EXPECT_FALSE(ui::LanguageTable::GetInstance().LoadFromFile(L"C:\\no\\such\\lang\\en.ini"));
    EXPECT_EQ(Text(L"STRING_CONFIRM"), L"");
}

}  // namespace
